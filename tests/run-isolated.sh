#!/bin/sh
# Runs one test with its own home, XDG folders and temp folder, on the offscreen platform,
# so that no test reads or writes the real user's settings, documents or temp files.
# Stopped (a test killed at its timeout), it stops the test and still removes the folder.
base=$(mktemp -d "${TMPDIR:-/tmp}/lumorra-test.XXXXXX") || exit 1
child=""
cleanup() {
    if [ -n "$child" ]; then
        kill "$child" 2>/dev/null
        wait "$child"
    fi
    rm -rf "$base"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
mkdir -p "$base/home" "$base/config" "$base/data" "$base/cache" "$base/runtime" "$base/tmp"
chmod 700 "$base/runtime"
# In the background so that a signal reaches the trap at once, not when the test ends.
HOME="$base/home" XDG_CONFIG_HOME="$base/config" XDG_DATA_HOME="$base/data" \
XDG_CACHE_HOME="$base/cache" XDG_RUNTIME_DIR="$base/runtime" TMPDIR="$base/tmp" \
QT_QPA_PLATFORM=offscreen "$@" &
child=$!
wait "$child"
status=$?
child=""
exit "$status"
