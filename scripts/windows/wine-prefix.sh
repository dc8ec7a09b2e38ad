#!/usr/bin/env bash
# wine-prefix.sh PREFIX: creates the private Wine prefix PREFIX on first use (safe to call from
# parallel test runs) and prints nothing once it exists.
set -euo pipefail
prefix=$1

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
