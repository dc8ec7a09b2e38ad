#!/usr/bin/env bash
# Builds the Windows DLLs and test programs for x86_64 and i686 with MinGW-w64 and runs the
# x86_64 tests under Wine (one Xvfb display for the whole run, so GUI tests find a display).
# The i686 programs need a 32-bit Wine, so of the i686 build only the DLLs' export tables are
# checked. Build trees: $TELVANE_WIN64_BUILD and $TELVANE_WIN32_BUILD, by default build-win64
# and build-win32 in the checkout. Everything that can be built and run is, and the script
# exits non-zero if anything failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build64=${TELVANE_WIN64_BUILD:-$root/build-win64}
build32=${TELVANE_WIN32_BUILD:-$root/build-win32}
failed=()

"$root/scripts/windows/install.sh"

configure_and_build() {
    local dir=$1 toolchain=$2
    echo "== Windows build: $dir"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null &&
        cmake --build "$dir" -j 2 -- -k 0
}

configure_and_build "$build64" mingw-w64-x86_64.cmake || failed+=("x86_64 build")
configure_and_build "$build32" mingw-w64-i686.cmake || failed+=("i686 build")

for dll in "$build32/bin/Telvane.dll" "$build32/bin/TelvanePage.dll"; do
    "$root/scripts/windows/check-exports.sh" i686-w64-mingw32-objdump "$dll" ||
        failed+=("i686 exports of $(basename "$dll")")
done

prefix=$build64/wineprefix
stop_wine() { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT

# A wineserver started without a display would break the GUI tests that follow it.
stop_wine
"$root/scripts/windows/wine-prefix.sh" "$prefix"
stop_wine

echo "== Windows tests under Wine: $build64"
xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir "$build64" --output-on-failure -j 2 || failed+=("x86_64 tests")

# The setup program holds both trees' DLLs, so it is built and tested once both trees are built.
bash "$root/scripts/windows/installer-test.sh" "$build64" "$build32" || failed+=("setup program")

if ((${#failed[@]})); then
    printf 'Windows run failed: %s\n' "${failed[@]}"
    exit 1
fi
echo "Windows build and tests passed."
