#!/usr/bin/env bash
# Builds what the tests need and runs every test under ctest. Beside the Release tree it
# builds the plug-in and the host twice more, with AddressSanitizer+LeakSanitizer
# (<build>-asan) and with ThreadSanitizer (<build>-tsan), embedding the art the Release
# tree rendered, for the sanitizer runs of the host's sessions.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TORVANE_BUILD_DIR:-$root/build}"
TORVANE_BUILD_DIR="$build" \
TORVANE_CMAKE_OPTIONS="-DTORVANE_ASAN_TREE=$build-asan -DTORVANE_TSAN_TREE=$build-tsan" \
    "$root/scripts/build.sh"
for pair in asan:address tsan:thread; do
    TORVANE_BUILD_DIR="$build-${pair%%:*}" \
    TORVANE_CMAKE_OPTIONS="-DTORVANE_SANITIZER=${pair#*:} -DTORVANE_TESTS=OFF -DTORVANE_BENCH=OFF -DTORVANE_ART_FROM=$build/art/generated" \
        "$root/scripts/build.sh" --target Torvane_VST3 torvane_host
done
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900
