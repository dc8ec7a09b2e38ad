#!/usr/bin/env bash
# Builds and runs the demo on the built-in sample store; only the demo and what it links are
# built, not the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build-gcc" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build "$root/build-gcc" --target telvane_demo -j "$(nproc)"
"$root/build-gcc/apps/demo/telvane_demo" "${1:-$root/out/demo}"
