#!/usr/bin/env bash
# Runs a session of the project's host on a tree built with a sanitizer and fails on any
# sanitizer report, whatever the host's own exit status.
#
#   run-sanitized.sh address|thread <tree> editor|process
#
# editor:  the editor open for several seconds under Xvfb with audio running through the
#          plug-in on another thread, the character switched, resized, closed, reopened.
# process: identity, parameters and the level through each character; audio at an odd
#          rate and block; a state round trip; bypass.
# Exits 77 (reported by ctest as not run) when the tree has not been built.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ $# -ne 3 ]; then
    echo "usage: $0 address|thread <tree> editor|process" >&2
    exit 2
fi
kind="$1" tree="$2" session="$3"
host="$tree/tools/host/torvane_host"
bundle="$tree/Torvane_artefacts/Release/VST3/Torvane.vst3"
if [ ! -x "$host" ] || [ ! -d "$bundle" ]; then
    echo "no $kind sanitizer tree at $tree (scripts/test.sh builds it); skipped"
    exit 77
fi

case "$kind" in
    address)
        export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:strict_init_order=1:suppressions=$here/asan.supp"
        export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
        ;;
    thread)
        export TSAN_OPTIONS="halt_on_error=0:second_deadlock_stack=1:suppressions=$here/tsan.supp:print_suppressions=0"
        ;;
    *)
        echo "unknown sanitizer $kind" >&2
        exit 2
        ;;
esac

case "$session" in
    editor)
        runs=("editor 4")
        wrapper=("$here/../with-xvfb.sh")
        ;;
    process)
        runs=("check" "process 96000 67 1" "state" "bypass 2")
        wrapper=()
        ;;
    *)
        echo "unknown session $session" >&2
        exit 2
        ;;
esac

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
failed=0
for run in "${runs[@]}"; do
    read -r -a words <<< "$run"
    echo "== torvane_host ${words[0]} $bundle ${words[*]:1}"
    "${wrapper[@]}" "$host" "${words[0]}" "$bundle" "${words[@]:1}" > "$log" 2>&1
    status=$?
    cat "$log"
    if [ "$status" -ne 0 ]; then
        echo "FAILED: exit status $status"
        failed=1
    fi
    if grep -Eq "^==[0-9]+==ERROR: |^WARNING: ThreadSanitizer|^SUMMARY: [A-Za-z]+Sanitizer" "$log"; then
        echo "FAILED: sanitizer report"
        failed=1
    fi
done
exit "$failed"
