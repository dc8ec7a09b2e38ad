#!/usr/bin/env bash
# bench.sh [x86_64|i686] [benchmark options...]: measures the fax manager's list generation and
# Update on 40,000 contacts through the Win32 window host against the headless host, in one run
# under Wine and Xvfb, and prints both times and their ratio. Options go to the benchmark
# (--benchmark_repetitions=5, --benchmark_filter=ListGeneration). The build tree is
# build-ARCH-bench, a Release tree with the posix-thread compilers (Google Benchmark needs
# threads); Google Benchmark is built for MinGW from Debian's source of the version the
# native benchmark uses.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=x86_64
if [[ ${1:-} == x86_64 || ${1:-} == i686 ]]; then
    arch=$1
    shift
fi
"$root/scripts/windows/install.sh"

version=1.7.1
sha256=6430e4092653380d9dc4ccb45a1e2dc9259d581f4866dc0759713126056bc1d7
deps=$root/build-bench-deps
toolchain=$root/cmake/mingw-w64-$arch.cmake
tarball=$deps/benchmark_$version.orig.tar.gz
mkdir -p "$deps"
if ! echo "$sha256  $tarball" | sha256sum -c --status 2>/dev/null; then
    curl -fsS -o "$tarball" "http://deb.debian.org/debian/pool/main/b/benchmark/benchmark_$version.orig.tar.gz"
    echo "$sha256  $tarball" | sha256sum -c --quiet
fi
installed=$deps/$arch
if [[ ! -f $installed/lib/cmake/benchmark/benchmarkConfig.cmake ]]; then
    rm -rf "$deps/benchmark-$version" "$deps/build-$arch"
    tar -xzf "$tarball" -C "$deps"
    cmake -S "$deps/benchmark-$version" -B "$deps/build-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTELVANE_MINGW_THREADS=posix \
        -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
        -DCMAKE_INSTALL_PREFIX="$installed" >/dev/null
    cmake --build "$deps/build-$arch" -j 2 >/dev/null
    cmake --install "$deps/build-$arch" >/dev/null
fi

build=$root/build-$arch-bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTELVANE_MINGW_THREADS=posix -DTELVANE_BENCHMARKS=ON -DBUILD_TESTING=OFF \
    -Dbenchmark_DIR="$installed/lib/cmake/benchmark" >/dev/null
cmake --build "$build" --target telvane_host_benchmark -j 2

prefix=$build/wineprefix
stop_wine() { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
"$root/scripts/windows/wine-prefix.sh" --for-display "$prefix"
xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/scripts/windows/wine-run.sh" "$prefix" "$build/bin/telvane_host_benchmark.exe" "$@"
