#!/usr/bin/env bash
# wine-prefix.sh [--for-display] [--dpi N] PREFIX: creates the private Wine prefix PREFIX on
# first use (safe to call from parallel test runs) and prints nothing once it exists. With
# --for-display the prefix's wineserver is stopped before and after, because one started without
# a display would leave the windows of a run under Xvfb nowhere to go. With --dpi the prefix's
# screen has N pixels per inch from its next start (Wine 8 reads HKCU\Control Panel\Desktop
# LogPixels when its server starts; the server is stopped so that the next program sees it).
set -euo pipefail
for_display=false
dpi=
while [[ $1 == --* ]]; do
    case $1 in
        --for-display) for_display=true ;;
        --dpi)
            dpi=$2
            shift
            ;;
        *) break ;;
    esac
    shift
done
prefix=$1
if [[ -n $dpi ]]; then
    "$0" "$prefix"
    if [[ $(cat "$prefix/.telvane-dpi" 2>/dev/null) != "$dpi" ]]; then
        export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1
        wineserver -w
        echo "$dpi" >"$prefix/.telvane-dpi"
    fi
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    exit 0
fi
if $for_display; then
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    "$0" "$prefix"
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    exit 0
fi

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/.telvane-ready" ] && [ -f "$prefix/.telvane-unmanaged" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.telvane-ready" ]; then
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    # Without Wine's own fonts "Tahoma" resolves to another face and every dialog changes size.
    cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
    touch "$prefix/.telvane-ready"
fi
if [ ! -f "$prefix/.telvane-unmanaged" ]; then
    # Under Xvfb no window manager runs: Wine draws the title bars and frames itself, as
    # Windows does (without them no click reaches a close box), and does not wait for a window
    # manager to let a closed window go (two seconds each).
    for value in Managed Decorated; do
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v $value /t REG_SZ /d N /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$prefix/.telvane-unmanaged"
fi
