#!/usr/bin/env bash
# bench.sh [x86_64|i686|both] [benchmark options...]: under Wine and Xvfb, measures the fax
# manager's list generation and Update on 40,000 contacts through the Win32 window host against
# the headless host, and what the mail client watches through the real DLLs in the stand-in mail
# client (start-up, shut-down, a save's add-in share, the options tab's first paint, the fax
# manager's opening on many folders), each beside its goal; then the COM bridge's benchmark
# where the tree has one. Options go to the benchmarks (--benchmark_filter=FaxManager): a filter
# runs only the programs that have a benchmark it matches, so a program it leaves out keeps its
# last JSON; --opening_budget goes to the host benchmark only. By default each runs 5
# repetitions (--benchmark_repetitions=N to change) and the medians are compared. The JSON
# output goes to build-ARCH-bench/results/, the load average before and after each program to
# NAME.load beside it. `both` runs both architectures, then scripts/bench-report.py writes
# the README's table and docs/benchmark-times.svg from their JSON. The build tree is
# build-ARCH-bench, a Release tree with the posix-thread compilers (Google Benchmark needs
# threads); Google Benchmark is built for MinGW from Debian's source of the version the native
# benchmark uses.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=x86_64
if [[ ${1:-} == both ]]; then
    shift
    bash "$0" x86_64 "$@"
    bash "$0" i686 "$@"
    exec python3 "$root/scripts/bench-report.py" "$root/build-x86_64-bench/results" \
        "$root/build-i686-bench/results"
fi
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
# The COM bridge's own benchmark, in trees that have it.
targets=(telvane_host_benchmark)
if cmake --build "$build" --target help | grep '^telvane_bridge_benchmark:' >/dev/null; then
    targets+=(telvane_bridge_benchmark)
fi
cmake --build "$build" --target "${targets[@]}" -j 2

results=$build/results
mkdir -p "$results"
prefix=$build/wineprefix
stop_wine() { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
"$root/scripts/windows/wine-prefix.sh" --for-display "$prefix"
# The options each program takes: the host benchmark's own budget goes to it alone.
host_options=()
common_options=()
filter=
for option in "$@"; do
    case $option in
    --opening_budget=*) host_options+=("$option") ;;
    --benchmark_filter=*)
        filter=$option
        common_options+=("$option")
        ;;
    *) common_options+=("$option") ;;
    esac
done
program_of() { find "$build" -name "$1.exe" -print -quit; }
wine_run() {
    xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/windows/wine-run.sh" "$prefix" "$@"
}
# True when the filter, if any, matches one of the program's benchmarks.
matches() {
    [[ -z $filter ]] && return 0
    local listed
    listed=$(wine_run "$(program_of "$1")" --benchmark_list_tests "$filter" 2>/dev/null | tr -d '\r')
    stop_wine
    [[ -n $listed ]]
}
load_average() { uptime | sed 's/.*load average: //'; }
run() {
    local name=$1
    shift
    if ! matches "$name"; then
        echo "$name: no benchmark matches $filter; its last results stay" >&2
        return 0
    fi
    # Other work on the machine spreads the repetitions: the load beside each program's figures.
    local before
    before=$(load_average)
    wine_run "$(program_of "$name")" --benchmark_repetitions=5 --benchmark_out="Z:$results/$name.json" \
        --benchmark_out_format=json "$@"
    stop_wine
    echo "$name: load average (1, 5, 15 min) $before before, $(load_average) after" |
        tee "$results/$name.load" >&2
}
run telvane_host_benchmark "${common_options[@]}" "${host_options[@]}"
for target in "${targets[@]:1}"; do
    run "$target" "${common_options[@]}"
done
