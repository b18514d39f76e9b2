#!/bin/bash
# lumorra video on clips made here by ffmpeg, without a display: the GIF of the part, size
# and rate asked, by ffmpeg at quality 100 and by our encoder below; every refusal and
# failure ends with its status and one line, and leaves the folder as it was; a stopped run
# leaves no partial file; the progress bar is drawn only on a terminal.
# Arguments: bin folder, source folder, build folder.
source "$(dirname "$0")/cli-test-setup.sh"

$lumorra --help | grep -q '^  video ' || fail "lumorra --help does not list video"
$lumorra video --help | grep -q '^Usage: lumorra video' || fail "video --help"

ffmpeg -v error -f lavfi -i testsrc2=size=320x240:rate=25 -t 3 -pix_fmt yuv420p clip.mp4
echo text >notes.txt
mkdir sub

# The second from 1 s, 160 wide, at 10 frames a second, both ways; an earlier GIF of the
# name is replaced.
for quality in 100 70; do
    echo old >out.gif
    LANG=C $lumorra video clip.mp4 -o out.gif --start 0:01 --duration 1 --width 160 --fps 10 \
        --quality $quality 2>stderr
    [ ! -s stderr ] || fail "quality $quality printed $(cat stderr) when not on a terminal"
    [ "$(identify -format '%Wx%H\n' out.gif | sort -u)" = 160x120 ] || fail "quality $quality: size"
    frames=$(identify out.gif | wc -l) length=$(($(identify -format '%T+' out.gif)0))
    # ffmpeg may add a frame; ours are the second's, shown as long as it lasts.
    if [ $quality = 100 ]; then [ "$frames" -ge 10 ] && [ "$frames" -le 11 ]
    else [ "$frames" -eq 10 ] && [ "$length" -eq 100 ]; fi \
        || fail "quality $quality: $frames frames lasting $length"
done
[ "$(ls)" = "$(printf 'clip.mp4\nnotes.txt\nout.gif\nstderr\nsub')" ] || fail "left $(ls)"

# Under a limit, as written either way: the GIF fits, and is not far below it.
$lumorra video clip.mp4 -o fit.gif --width 320 --fps 25 --max-size 200K
size=$(stat -c %s fit.gif)
[ "$size" -le 200000 ] && [ "$size" -ge 170000 ] || fail "--max-size 200K gave $size bytes"
$lumorra video clip.mp4 -o fit.gif --width 320 --fps 25 --max-size 0.2M
[ "$(stat -c %s fit.gif)" -le 200000 ] || fail "--max-size 0.2M gave $(stat -c %s fit.gif) bytes"
rm fit.gif

expect_failure 2 "no clip given" video -o o.gif
expect_failure 2 "one clip at a time" video clip.mp4 clip.mp4 -o o.gif
expect_failure 2 "no GIF to write" video clip.mp4
expect_failure 2 "unknown option '--bogus'" video clip.mp4 -o o.gif --bogus
expect_failure 2 "--start takes seconds, m:s or h:m:s, not '1:x'" video clip.mp4 -o o.gif --start 1:x
expect_failure 2 "--duration takes seconds from 0 to 10000" video clip.mp4 -o o.gif --duration 10001
expect_failure 2 "--width takes a whole number from 0 to 4096, not '4097'" video clip.mp4 -o o.gif --width 4097
expect_failure 2 "--height takes a whole number from 0 to 4096, not '-1'" video clip.mp4 -o o.gif --height -1
for rate in 0 51 2.5; do
    expect_failure 2 "--fps takes a whole number from 1 to 50, not '$rate'" video clip.mp4 -o o.gif --fps $rate
done
for quality in 0 101 x; do
    expect_failure 2 "--quality takes a whole number from 1 to 100, not '$quality'" video clip.mp4 -o o.gif --quality $quality
done
expect_failure 2 "--max-size takes a size in bytes, or with K or M (10M), not '10MB'" video clip.mp4 -o o.gif --max-size 10MB
expect_failure 1 "cannot make o.gif fit under 500 bytes even at the smallest settings, nothing written" video \
    clip.mp4 -o o.gif --max-size 500
expect_failure 1 "cannot read missing.mp4: no such file" video missing.mp4 -o o.gif
expect_failure 1 "cannot read notes.txt: not a video" video notes.txt -o o.gif
expect_failure 1 "--start 3 is past the end of clip.mp4, which lasts 3 s" video clip.mp4 -o out.gif --start 3
expect_failure 1 "cannot write sub: it is a folder" video clip.mp4 -o sub
expect_failure 1 "cannot write no/o.gif: no folder" video clip.mp4 -o no/o.gif
rc=0; PATH=/nonexistent $lumorra video clip.mp4 -o o.gif 2>err || rc=$?
[ "$rc" -eq 1 ] && grep -qx "lumorra video: cannot read clip.mp4: ffprobe could not be run" err \
    && [ ! -e o.gif ] || fail "without ffmpeg: status $rc, $(cat err)"
rm err

# Stopped while writing, both ways: nothing of the run is left, the earlier GIF is kept.
ffmpeg -v error -f lavfi -i testsrc2=size=320x240:rate=25 -t 30 -pix_fmt yuv420p long.mp4
for quality in 100 70; do
    # Ctrl+C's SIGINT, which a background job of a script would ignore. The largest GIF
    # takes long enough.
    env --default-signal=INT $lumorra video long.mp4 -o out.gif --width 4096 --quality $quality &
    for _ in $(seq 200); do [ -s out.gif.1.part ] && break; sleep 0.05; done
    [ -s out.gif.1.part ] || fail "quality $quality: no partial file to stop"
    kill -INT $!
    rc=0; wait $! || rc=$?
    [ "$rc" -eq 130 ] && ! compgen -G '*.part' >/dev/null \
        && [ "$(identify -format '%Wx%H\n' out.gif | sort -u)" = 160x120 ] \
        || fail "stopped at quality $quality: status $rc, $(ls)"
done

# On a terminal a bar ends at 100%; --quiet draws none.
script -qec "$lumorra video clip.mp4 -o tty.gif --quality 70" /dev/null | grep -q '\[#*\] 100%' \
    || fail "no bar"
[ -z "$(script -qec "$lumorra video -q clip.mp4 -o tty.gif" /dev/null)" ] || fail "--quiet drew"
echo "PASS: video made its GIFs both ways; refusals, failures, stops and progress as expected"
