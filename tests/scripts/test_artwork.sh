#!/bin/bash
# The compiled-in artwork has the sizes the widgets cut it by, and the busy animation is a
# looping 20 x 20 GIF; the hicolor icons have their nominal sizes.
# Arguments: bin folder, source folder, build folder.
set -euo pipefail
src=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
size() { identify -format '%wx%h\n' "$1" | head -1; }

img=$src/resources/images
[ "$(size "$img/program.png")" = 256x256 ] || fail "program.png $(size "$img/program.png")"
[ "$(size "$img/minclose.png")" = 82x60 ] || fail "minclose.png $(size "$img/minclose.png")"
# Delete sprite cells reach x 16 and y 46.
read -r w h < <(identify -format '%w %h\n' "$img/del.png")
[ "$w" -ge 16 ] && [ "$h" -ge 46 ] || fail "del.png ${w}x$h"
# Shown at 10 x 30: the icon keeps that shape.
read -r w h < <(identify -format '%w %h\n' "$img/arrowtest.png")
[ $((h * 10)) -eq $((w * 30)) ] || fail "arrowtest.png ${w}x$h"

gif=$img/small_loadimg2.gif
frames=$(identify -format '%W %H %T\n' "$gif")
[ "$(wc -l <<<"$frames")" -gt 1 ] || fail "busy animation has one frame"
grep -v '^20 20 [1-9]' <<<"$frames" && fail "busy animation frames: $frames"
grep -q 'Iterations: 0' <<<"$(identify -verbose "$gif")" || fail "busy animation does not loop"

for s in 16 32 48 64 128 256; do
    f=$src/packaging/icons/hicolor/${s}x$s/apps/lumorra.png
    [ "$(size "$f")" = "${s}x$s" ] || fail "$f"
done
echo "artwork sizes hold"
