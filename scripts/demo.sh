#!/usr/bin/env bash
# Builds and runs the demo on the built-in sample store.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" gcc -DCMAKE_CXX_COMPILER=g++
"$root/build-gcc/apps/demo/telvane_demo" "${1:-$root/out/demo}"
