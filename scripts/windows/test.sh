#!/usr/bin/env bash
# Builds the Windows DLLs and test programs for x86_64 and i686 with MinGW-w64 and runs each
# tree's whole CTest suite under Wine: the i686 one (the DLLs that 32-bit mail clients load)
# through 32-bit Wine in a win64 prefix. Each suite runs under its own Xvfb display, so GUI tests
# find one. Build trees: $TELVANE_WIN64_BUILD and $TELVANE_WIN32_BUILD, by default build-win64
# and build-win32 in the checkout. Everything that can be built and run is, and the script
# exits non-zero if anything failed in either architecture.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build64=${TELVANE_WIN64_BUILD:-$root/build-win64}
build32=${TELVANE_WIN32_BUILD:-$root/build-win32}
failed=()
summary=()

"$root/scripts/windows/install.sh"

configure_and_build() {
    local dir=$1 toolchain=$2
    echo "== Windows build: $dir"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null &&
        cmake --build "$dir" -j 2 -- -k 0
}

# Every prefix a tree's tests use (the toolchain's emulator and the mail-client host's).
prefixes_of() { echo "$1/wineprefix" "$1/wineprefix-outlookhost" "$1/wineprefix-dpi"; }
stop_wine() {
    local prefix
    for prefix in "$@"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
}
stop_all_wine() {
    # shellcheck disable=SC2046
    stop_wine $(prefixes_of "$build64") $(prefixes_of "$build32")
}
trap stop_all_wine EXIT

# run_suite ARCH DIR: the tree's CTest suite under Wine; records its count and time.
run_suite() {
    local arch=$1 dir=$2 log=$2/wine-tests.log start=$SECONDS status=0
    # A wineserver started without a display would break the GUI tests that follow it, so the
    # prefix is made first and its wineserver ended before the run under Xvfb.
    # shellcheck disable=SC2046
    stop_wine $(prefixes_of "$dir")
    "$root/scripts/windows/wine-prefix.sh" "$dir/wineprefix"
    # shellcheck disable=SC2046
    stop_wine $(prefixes_of "$dir")
    echo "== Windows tests under Wine, $arch: $dir"
    xvfb-run -a -s "-screen 0 1024x768x24" \
        ctest --test-dir "$dir" --output-on-failure -j 2 2>&1 | tee "$log" || status=1
    # shellcheck disable=SC2046
    stop_wine $(prefixes_of "$dir")
    local counts
    counts=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
    summary+=("$arch: ${counts:-no test result} ($((SECONDS - start)) s)")
    ((status == 0)) || failed+=("$arch tests")
}

# run_dpi_sweep ARCH DIR: the windows' layout, captions and screen-reader answers again with the
# screen at 120, 144 and 192 DPI (the suite ran them at 96), one prefix whose LogPixels changes.
run_dpi_sweep() {
    local arch=$1 dir=$2 prefix=$2/wineprefix-dpi start=$SECONDS dpi status=0
    for dpi in 120 144 192; do
        "$root/scripts/windows/wine-prefix.sh" --dpi "$dpi" "$prefix"
        echo "== Windows at $dpi DPI under Wine, $arch"
        TELVANE_EXPECT_DPI=$dpi xvfb-run -a -s "-screen 0 1600x1200x24" \
            "$root/scripts/windows/wine-run.sh" "$prefix" "$dir/bin/win32_ui_tests.exe" \
            --gtest_filter='WindowsAsUsersMeetThemTest.*' >"$dir/wine-dpi-$dpi.log" 2>&1 ||
            status=1
        tail -n 3 "$dir/wine-dpi-$dpi.log"
        stop_wine "$prefix"
    done
    summary+=("$arch at 120, 144, 192 DPI: $( ((status == 0)) && echo passed || echo failed) ($((SECONDS - start)) s)")
    ((status == 0)) || failed+=("$arch DPI sweep")
}

configure_and_build "$build64" mingw-w64-x86_64.cmake || failed+=("x86_64 build")
configure_and_build "$build32" mingw-w64-i686.cmake || failed+=("i686 build")

run_suite x86_64 "$build64"
run_suite i686 "$build32"
run_dpi_sweep x86_64 "$build64"
run_dpi_sweep i686 "$build32"

# The setup program holds both trees' DLLs, so it is built and tested once both trees are built.
bash "$root/scripts/windows/installer-test.sh" "$build64" "$build32" || failed+=("setup program")

printf 'Windows tests under Wine, %s\n' "${summary[@]}"
if ((${#failed[@]})); then
    printf 'Windows run failed: %s\n' "${failed[@]}"
    exit 1
fi
echo "Windows build and tests passed in both architectures."
