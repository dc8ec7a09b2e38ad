#!/usr/bin/env bash
# Installs what the native build, tests, demo and benchmarks need, when missing (Debian, root).
set -euo pipefail

packages=(cmake ninja-build g++ clang libgtest-dev libgmock-dev googletest libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
