#!/usr/bin/env bash
# Builds what the tests need and runs every test under ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TORVANE_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900
