#!/usr/bin/env bash
# Runs a command against a private Xvfb display and stops the server afterwards.
#
# JUCE 7.0.5 looks up several window-manager atoms with "only if exists" and then uses
# them; on a bare X server without a window manager they do not exist and the first
# window fails with BadAtom. So the server runs with -noreset (atoms survive the last
# client leaving) and every such atom is interned once, by setting and removing a
# property of that name on the root window.
set -euo pipefail

atoms=(WM_PROTOCOLS WM_TAKE_FOCUS WM_DELETE_WINDOW WM_CHANGE_STATE WM_STATE
       _NET_WM_PING _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_NORMAL _NET_WM_WINDOW_TYPE_COMBO
       _NET_WM_STATE _NET_WM_STATE_HIDDEN _NET_WM_STATE_FULLSCREEN _NET_WM_ALLOWED_ACTIONS
       _NET_FRAME_EXTENTS _NET_WORKAREA _MOTIF_WM_HINTS _WIN_HINTS KWM_WIN_DECORATION
       _KDE_NET_WM_WINDOW_TYPE_OVERRIDE)

if [ $# -eq 0 ]; then
    echo "usage: $0 <command> [arguments]" >&2
    exit 2
fi

# Xvfb picks the first free display number itself and writes it to the given fd.
displayfile="$(mktemp)"
trap 'rm -f "$displayfile"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3> "$displayfile" 2> /dev/null &
xvfb=$!
trap 'kill "$xvfb" 2> /dev/null || true; wait "$xvfb" 2> /dev/null || true; rm -f "$displayfile"' EXIT

for _ in $(seq 100); do
    [ -s "$displayfile" ] && break
    sleep 0.05
done
if [ ! -s "$displayfile" ]; then
    echo "Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$displayfile")"

for atom in "${atoms[@]}"; do
    xprop -root -f "$atom" 8s -set "$atom" x
    xprop -root -remove "$atom"
done

set +e
"$@"
status=$?
set -e
exit "$status"
