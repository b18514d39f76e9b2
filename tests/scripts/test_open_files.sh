#!/bin/bash
# The window opened with files through the real entry point, offscreen: a GIF runs the
# Resolve GIF job to its end dialog and writes the frames `lumorra resolve` writes; images
# open on the images page in natural order; a video on the video page. One window: a later
# start hands its files to the running window, also after a crashed run left its socket.
# Arguments: bin folder, source folder, build folder.
set -euo pipefail
bin=$1
. "$(dirname "$0")/probe-run.sh"
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
lumorra=$bin/lumorra probe=$bin/lumorra_window_probe.so
done_text="completed, do you want to open the folder?"
socket=$XDG_RUNTIME_DIR/lumorra-window

mkdir "$work/in"
for n in 1 2 10; do
    convert -size $((20 + n))x24 "xc:rgb($((n * 20)),90,160)" "$work/in/f$n.png"
done
"$lumorra" create -o "$work/in/x.gif" "$work/in"/f*.png
ffmpeg -loglevel error -f lavfi -i testsrc2=size=320x240:rate=10 -t 2 "$work/in/clip.mp4"

# frames_of FOLDER: the folder where a run with that home wrote the frames of x.gif.
frames_of() { dirname "$(find "$1/Documents" -name 1.png)"; }

LUMORRA_PROBE_UNTIL=$done_text LUMORRA_PROBE_SECONDS=30 probe_run "$lumorra" "$probe" "$work/gif" "" "$work/in/x.gif"
expect_texts "$work/gif" "label: $done_text"
"$lumorra" resolve "$work/in/x.gif" -o "$work/resolved"
diff -r "$(frames_of "$work/gif")" "$work/resolved" || fail "the window's frames differ from resolve's"

LUMORRA_PROBE_UNTIL=f10.png LUMORRA_PROBE_SECONDS=30 probe_run "$lumorra" "$probe" "$work/images" "" \
    "$work/in/f10.png" "$work/in/f2.png" "$work/in/f1.png"
[ "$(grep -x 'label: f[0-9]*\.png' "$work/images/report" | tr '\n' ' ')" = \
  "label: f1.png label: f2.png label: f10.png " ] || fail "images page: $(cat "$work/images/report")"

LUMORRA_PROBE_UNTIL="00:00:02 · 320 × 240" LUMORRA_PROBE_SECONDS=30 probe_run "$lumorra" "$probe" \
    "$work/video" "" "$work/in/clip.mp4"
expect_texts "$work/video" "label: 00:00:02 · 320 × 240" "label: Import Video"

# A run that crashed leaves its socket behind; the next window must start all the same.
QT_QPA_PLATFORM=offscreen HOME="$work/crashed" "$lumorra" &
pids+=($!)
for _ in $(seq 100); do [ -S "$socket" ] && break; sleep 0.1; done
kill -9 "${pids[-1]}"
stale=$(stat -c %i "$socket") || fail "no socket to leave behind"

LUMORRA_PROBE_UNTIL=$done_text LUMORRA_PROBE_SECONDS=60 probe_run "$lumorra" "$probe" "$work/first" &
pids+=($!)
first=$!
for _ in $(seq 100); do [ "$(stat -c %i "$socket" 2>/dev/null)" != "$stale" ] && break; sleep 0.1; done
# Without files the running window only comes to the front.
QT_QPA_PLATFORM=offscreen timeout 20 "$lumorra" >"$work/second.out" 2>&1 || fail "hand-over of nothing"
[ ! -s "$work/second.out" ] || fail "second start said: $(cat "$work/second.out")"
# Relative paths are the second start's own: the running window gets them whole.
(cd "$work/in" && QT_QPA_PLATFORM=offscreen timeout 20 "$lumorra" x.gif) || fail "hand-over of x.gif"
wait "$first" || fail "the running window ended badly"
expect_texts "$work/first" "label: $done_text"
diff -r "$(frames_of "$work/first")" "$work/resolved" || fail "handed-over frames differ"
echo "PASS: a GIF, images and a video opened; a second start handed over, past a stale socket"
