#!/usr/bin/env bash
# wine-prefix.sh PREFIX: creates the private Wine prefix PREFIX on first use (safe to call from
# parallel test runs) and prints nothing once it exists.
set -euo pipefail
prefix=$1

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/.telvane-ready" ] && exit 0

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
