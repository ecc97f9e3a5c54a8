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
# The project's host loads the installed bundle through the VST3 interface and prints
# its identity, parameters, latency, layouts and the level of a test signal through
# each character; a bundle that does not load fails the set-up.
"$build/tools/host/torvane_host" check "$HOME/.vst3/Torvane.vst3"
