#!/usr/bin/env bash
# build.sh NAME [cmake options...]: configures and builds the native tree build-NAME.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=$1; shift
cmake -S "$root" -B "$root/build-$name" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/build-$name" -j "$(nproc)"
