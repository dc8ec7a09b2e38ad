#!/usr/bin/env bash
# package.sh [RELEASE64 RELEASE32]: builds what ships, from Release trees (by default
# build-release-win64 and build-release-win32 in the checkout) that hold only the two DLLs and
# what they need: the DLLs stripped, each with its debug information beside it in <dll>.debug;
# the setup program TelvaneSetup-<version>.exe; and the Windows Installer packages
# Telvane-<version>-x64.msi and Telvane-<version>-x86.msi. Every DLL is signed before it is
# packed and every setup and package after, by sign.sh (see there: unsigned without a
# certificate). Prints each artefact's size.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "${1:-$root/build-release-win64}" "${2:-$root/build-release-win32}"
rel64=$(cd "${1:-$root/build-release-win64}" && pwd)
rel32=$(cd "${2:-$root/build-release-win32}" && pwd)
version=$(sed -n 's/^project(Telvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

configure() { # DIR TOOLCHAIN [ARGS...]
    local dir=$1 toolchain=$2
    shift 2
    # -g: the debug information that ship/ keeps apart from the DLLs.
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DCMAKE_CXX_FLAGS=-g -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" "$@" >/dev/null
}
configure "$rel32" mingw-w64-i686.cmake
configure "$rel64" mingw-w64-x86_64.cmake -DTELVANE_SETUP_I686_BIN="$rel32/ship"

# Made again on every run, so that no artefact keeps a signature of an earlier one.
setup=$rel64/TelvaneSetup-$version.exe
packages=("$rel64/Telvane-$version-x64.msi" "$rel64/Telvane-$version-x86.msi")
dlls=("$rel64"/ship/{Telvane,TelvanePage}.dll "$rel32"/ship/{Telvane,TelvanePage}.dll)
rm -f "${dlls[@]}" "$setup" "${packages[@]}"

cmake --build "$rel32" -j 2 --target ship
cmake --build "$rel64" -j 2 --target ship
"$here/sign.sh" "${dlls[@]}"
cmake --build "$rel64" -j 2 --target setup packages
"$here/sign.sh" "$setup" "${packages[@]}"

echo "== what ships"
for file in "${dlls[@]}" "${dlls[@]/%/.debug}" "$setup" "${packages[@]}"; do
    printf '%9d bytes  %s\n' "$(stat -c %s "$file")" "${file#"$root"/}"
done
