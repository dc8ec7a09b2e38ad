#!/usr/bin/env bash
# Builds the Windows DLLs and test programs for x86_64 and i686 with MinGW-w64 and runs the
# x86_64 tests under Wine (one Xvfb display for the whole run, so GUI tests find a display).
# Build trees: $TELVANE_WIN64_BUILD and $TELVANE_WIN32_BUILD, by default build-win64 and
# build-win32 in the checkout. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build64=${TELVANE_WIN64_BUILD:-$root/build-win64}
build32=${TELVANE_WIN32_BUILD:-$root/build-win32}

"$root/scripts/windows/install.sh"

configure_and_build() {
    local dir=$1 toolchain=$2
    echo "== Windows build: $dir"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
    cmake --build "$dir" -j 2
}

configure_and_build "$build64" mingw-w64-x86_64.cmake
configure_and_build "$build32" mingw-w64-i686.cmake

prefix=$build64/wineprefix
stop_wine() { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT

# A wineserver left from an earlier run without a display would break GUI tests.
stop_wine
"$root/scripts/windows/wine-prefix.sh" "$prefix"
stop_wine

echo "== Windows tests under Wine: $build64"
xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir "$build64" --output-on-failure -j 2
