#!/usr/bin/env bash
# bench.sh [benchmark options...]: builds the Release tree build-bench with the benchmarks and
# runs the fax manager's benchmark; options go to it (--benchmark_filter=Update,
# --benchmark_format=json, --no_breakdown).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build-bench"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTELVANE_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target telvane_benchmark -j 2
"$build/apps/benchmark/telvane_benchmark" "$@"
