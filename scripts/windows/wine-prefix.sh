#!/usr/bin/env bash
# wine-prefix.sh PREFIX: creates the private Wine prefix PREFIX on first use (safe to call from
# parallel test runs) and prints nothing once it exists.
set -euo pipefail
prefix=$1

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/.telvane-ready" ] && [ -f "$prefix/.telvane-frames" ] && exit 0

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
if [ ! -f "$prefix/.telvane-frames" ]; then
    # Wine draws the title bars and frames itself, as Windows does: under Xvfb there is no
    # window manager to draw them, and without them no click reaches a close box.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.telvane-frames"
fi
