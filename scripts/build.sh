#!/usr/bin/env bash
# Configures and builds the Release tree in ./build (or $TORVANE_BUILD_DIR).
# Extra cache options go in $TORVANE_CMAKE_OPTIONS (e.g. "-DTORVANE_SANITIZER=address");
# the arguments go to the build step (e.g. --target torvane_host).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TORVANE_BUILD_DIR:-$root/build}"
read -r -a options <<< "${TORVANE_CMAKE_OPTIONS:-}"
launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "${options[@]}" > /dev/null
cmake --build "$build" --parallel "$(nproc)" "$@"
