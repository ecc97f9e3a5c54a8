#!/usr/bin/env bash
# Set-up for a fresh Debian 12 machine: installs the packages, builds Release,
# installs Torvane.vst3 into ~/.vst3 and checks the installed bundle with the
# project's own host.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${TORVANE_BUILD_DIR:-$root/build}"
bundle="$build/Torvane_artefacts/Release/VST3/Torvane.vst3"
mkdir -p "$HOME/.vst3"
rm -rf "$HOME/.vst3/Torvane.vst3"
cp -r "$bundle" "$HOME/.vst3/"
echo "Installed $HOME/.vst3/Torvane.vst3"
host="$build/tools/host/torvane_host"
if [ -x "$host" ]; then
    "$host" check "$HOME/.vst3/Torvane.vst3"
fi
