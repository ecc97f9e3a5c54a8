#!/usr/bin/env bash
# Configures and builds the Release tree in ./build (or $TORVANE_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TORVANE_BUILD_DIR:-$root/build}"
launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
cmake --build "$build" --parallel "$(nproc)" "$@"
