#!/usr/bin/env bash
# fuzz.sh [SECONDS] [libFuzzer options...]: builds the cRegistry read fuzzer with clang++,
# libFuzzer, ASan and UBSan into build-fuzz and runs it for SECONDS (default 60), starting from
# the checked-in corpus. New inputs go to build-fuzz/corpus, crashes to build-fuzz/; copy an
# input worth keeping into tests/fuzz/corpus so that the test command replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
seconds=${1:-60}
shift || true
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTELVANE_SANITIZE=ON -DTELVANE_FUZZ=ON >/dev/null
cmake --build "$build" --target registry_fuzz -j 2
mkdir -p "$build/corpus"
cd "$build"
UBSAN_OPTIONS=print_stacktrace=1 "$build/tests/fuzz/registry_fuzz" \
    -max_total_time="$seconds" -print_final_stats=1 "$@" "$build/corpus" "$root/tests/fuzz/corpus"
