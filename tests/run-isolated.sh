#!/bin/sh
# Runs one test with its own home, XDG folders and temp folder, on the offscreen platform,
# so that no test reads or writes the real user's settings, documents or temp files.
base=$(mktemp -d "${TMPDIR:-/tmp}/lumorra-test.XXXXXX") || exit 1
trap 'rm -rf "$base"' EXIT
mkdir -p "$base/home" "$base/config" "$base/data" "$base/cache" "$base/runtime" "$base/tmp"
chmod 700 "$base/runtime"
HOME="$base/home" XDG_CONFIG_HOME="$base/config" XDG_DATA_HOME="$base/data" \
XDG_CACHE_HOME="$base/cache" XDG_RUNTIME_DIR="$base/runtime" TMPDIR="$base/tmp" \
QT_QPA_PLATFORM=offscreen "$@"
