#!/bin/bash
# lumorra create and resolve on real files, without a display: create writes the bytes the
# images page writes, resolve gives back the pictures; every failure ends with its status
# and one line naming the file, and leaves the folder as it was; a stopped run removes what
# it wrote; the progress bar is drawn only on a terminal.
# Arguments: bin folder, source folder, build folder.
source "$(dirname "$0")/cli-test-setup.sh"

for command in "" create resolve; do
    $lumorra $command --help | grep -q "^Usage: lumorra $command" || fail "$command --help"
done
[ "$($lumorra --version)" = "Lumorra 1.0.8" ] || fail "--version"

# Three pictures whose plain and natural orders differ, each wider than the one before.
mkdir in
for n in 1 2 10; do
    convert -size $((20 + n))x24 "xc:rgb($((n * 20)),90,160)" -fill white \
        -draw "rectangle 0,0 $n,$n" "in/f$n.png"
done

# The images page's own GIF of the folder, at its 10 frames per second.
LANG=en_US.UTF-8 "$bin/images-page" in page >/dev/null
LANG=C $lumorra create -o cli.gif in/*.png 2>stderr
[ ! -s stderr ] || fail "create printed $(cat stderr) when not on a terminal"
cmp page/*.gif cli.gif || fail "create differs from the images page"
$lumorra create --no-sort -o given.gif in/f1.png in/f2.png in/f10.png
cmp given.gif cli.gif || fail "--no-sort in natural order"
$lumorra create --no-sort -o plain.gif in/*.png
cmp -s plain.gif cli.gif && fail "--no-sort sorted"

$lumorra resolve cli.gif
for frame in "1 f1" "2 f2" "3 f10"; do
    set -- $frame
    size=$(identify -format %wx%h "in/$2.png")
    [ "$(compare -metric AE "cli/$1.png[$size+0+0]" "in/$2.png" null: 2>&1)" = 0 ] \
        || fail "frame $1 is not $2.png"
done

for rate in "1 100" "5 20" "24 4" "50 2"; do
    set -- $rate
    $lumorra create --fps "$1" -o rate.gif in/f1.png in/f2.png
    [ "$(identify -format '%T ' rate.gif)" = "$2 $2 " ] || fail "--fps $1: $(identify -format '%T ' rate.gif)"
done
convert -size 10x10 xc:red small.png
convert -size 50x20 xc:blue wide.png
for canvas in "20x20 small.png" "50x24 wide.png in/f1.png"; do
    set -- $canvas
    $lumorra create -o canvas.gif "${@:2}"
    [ "$(identify -format '%Wx%H\n' canvas.gif | head -1)" = "$1" ] || fail "canvas of ${*:2}"
done
$lumorra create --smaller -o smaller.gif in/*.png && $lumorra resolve smaller.gif -o smaller-frames
diff -r cli smaller-frames || fail "--smaller shows other pictures"
$lumorra create -q --quality 100 -o level100.gif in/*.png && cmp level100.gif cli.gif \
    || fail "--quality 100 is not the exact output"
# Noise that the exact GIF stores in about 180 KB, under a limit of 100 KB.
for n in 1 2 3 4 5 6; do convert -size 200x200 -seed $n plasma:fractal "noise$n.png"; done
$lumorra create -q --max-size 100K -o fit.gif noise*.png
size=$(stat -c %s fit.gif)
[ "$size" -le 100000 ] && [ "$size" -ge 85000 ] || fail "--max-size 100K gave $size bytes"
rm noise*.png fit.gif
$lumorra create -q --quality 40 -o level40.gif in/*.png && [ "$(identify level40.gif | wc -l)" -eq 3 ] \
    || fail "--quality 40 does not make a GIF of every picture"

# Inputs of every kind of failure.
echo text >notes.txt
convert -size 100x100 xc: +noise Random png:- | head -c 3000 >cut.png
# A PNG of 70000 x 10 pixels of 1 bit: its header, 90 bytes of image data, the end chunk.
{
    printf '\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x11\x70\0\0\0\x0a\x01\0\0\0\0\xb0\xff\xb0\x25'
    printf '\0\0\0\x5aIDAT'
    head -c 90 /dev/zero
    printf '\x97\xc7\xda\x62\0\0\0\0IEND\xae\x42\x60\x82'
} >huge.png
printf 'GIF89a\xff\xff\xff\xff\x00\x00\x00;' >huge.gif
printf 'GIF89a\x10\x00\x10\x00\x00\x00\x00,' >headonly.gif
printf 'GIF89a an earlier GIF' >keep.gif
mkdir full sub noise && touch full/x
for n in 1 2 3 4; do convert -size 1280x720 xc: +noise Random "noise/n$n.png"; done
$lumorra create -q -o noise.gif noise/*.png noise/*.png noise/*.png

expect_failure 2 "unknown option '--bogus'" --bogus
expect_failure 2 "unknown option '--bogus'" create --bogus -o o.gif in/f1.png
expect_failure 2 "missing value after '-o'" create in/f1.png -o
expect_failure 2 "no GIF to write" create in/f1.png
expect_failure 2 "--quality takes a whole number from 1 to 100, not '0'" create --quality 0 -o o.gif in/f1.png
expect_failure 2 "--max-size takes a size in bytes, or with K or M (10M), not '1MB'" create --max-size 1MB -o o.gif in/f1.png
expect_failure 1 "cannot make o.gif fit under 100 bytes even at the smallest settings, nothing written (it would take about" \
    create --max-size 100 -o o.gif in/*.png
expect_failure 2 "no images given" create -o o.gif
for rate in 0 51 x 2.5; do
    expect_failure 2 "--fps takes a whole number from 1 to 50, not '$rate'" create --fps $rate -o o.gif in/f1.png
done
expect_failure 1 "cannot read missing.png: no such file" create -o o.gif in/f1.png missing.png
expect_failure 1 "cannot read notes.txt: not a picture" create -o o.gif in/f1.png notes.txt
expect_failure 1 "cannot read sub: not a file" create -o o.gif sub
expect_failure 1 "huge.png is 70000 x 10 pixels" create -o o.gif huge.png
expect_failure 1 "cannot read cut.png: damaged" create -o keep.gif in/f1.png cut.png
expect_failure 1 "cannot write nofolder/o.gif: no folder" create -o nofolder/o.gif in/f1.png
expect_failure 1 "cannot write sub: it is a folder" create -o sub in/f1.png
# An output that would overwrite a picture: one of the images however named, or a file that
# is not a GIF (the slip 'create -o frames/*.png' that forgets the output's name).
ln -s in/f2.png linked.png && ln in/f10.png hard.png
expect_failure 2 "the output in/f1.png is one of the images" create -q -o in/f1.png in/f1.png in/f2.png
expect_failure 2 "the output in/../in/f1.png is one of the images" create -o in/../in/f1.png in/f1.png
expect_failure 2 "the output linked.png is one of the images" create -o linked.png in/f2.png
expect_failure 2 "the output hard.png is one of the images" create -o hard.png in/f10.png
expect_failure 2 "in/f1.png exists and is not a GIF" create -q -o in/f1.png in/f2.png in/f10.png
expect_failure 2 "notes.txt exists and is not a GIF" create -o notes.txt in/f1.png
$lumorra create -o named.png in/f1.png 2>err && [ "$(identify -format %m named.png)" = GIF ] \
    && grep -qx "lumorra create: warning: named.png does not end in .gif; a GIF is written all the same" err \
    || fail "an output name without .gif: $(cat err)"
rm err
# Two pictures within the limit of one that together need a canvas of 65535 x 65535.
ffmpeg -v error -f lavfi -i "color=black:s=65536x1526,format=gray,crop=65535:1525:0:0" \
    -frames:v 1 -pix_fmt monob wide65535.png
ffmpeg -v error -f lavfi -i "color=black:s=1526x65536,format=gray,crop=1525:65535:0:0" \
    -frames:v 1 -pix_fmt monob tall65535.png
expect_failure 1 "the images need a canvas of 65535 x 65535 pixels, more than 100 megapixels" \
    create -o huge-canvas.gif wide65535.png tall65535.png
expect_failure 2 "no GIF given" resolve
expect_failure 2 "one GIF at a time" resolve cli.gif cli.gif
expect_failure 1 "cannot read missing.gif: no such file" resolve missing.gif
expect_failure 1 "notes.txt is not a GIF file" resolve notes.txt
expect_failure 1 "huge.gif is too large" resolve huge.gif
expect_failure 1 "headonly.gif is damaged: no frame could be read" resolve headonly.gif
expect_failure 1 "full is not empty" resolve cli.gif -o full
expect_failure 1 "cannot write into notes.txt: it is not a folder" resolve cli.gif -o notes.txt
expect_failure 1 "cannot make no/such: no folder" resolve cli.gif -o no/such
# A name that starts with '-' needs '--' before it, and the message says so.
cp in/f1.png ./-dash.png
for command in "" create; do
    expect_failure 2 "unknown option '-dash.png'; put '--' before file names that start with '-'" \
        $command -dash.png
done
$lumorra create -o dash.gif -- -dash.png || fail "create -- -dash.png"
# Under LC_ALL=C a name is bytes: one that is not UTF-8 is read and written as it is, and
# named as it is; under a UTF-8 locale it is refused as such, not taken for another file.
cp in/f1.png $'\xff\xfe.png'
LC_ALL=C $lumorra create -o $'\xfe.gif' $'\xff\xfe.png' || fail "a name that is not UTF-8"
cmp $'\xfe.gif' dash.gif || fail "the GIF of a name that is not UTF-8"
LC_ALL=C $lumorra resolve $'\xfe.gif' && [ -f $'\xfe/1.png' ] || fail "resolve of a name not UTF-8"
rc=0; LC_ALL=C $lumorra create -o o.gif $'\xfenope.png' 2>err || rc=$?
[ "$rc" -eq 1 ] && grep -qx $'lumorra create: cannot read \xfenope.png: no such file' err \
    || fail "named under LC_ALL=C: $(cat err)"
rc=0; LC_ALL=C.UTF-8 $lumorra create -o o.gif $'\xff\xfe.png' 2>err || rc=$?
[ "$rc" -eq 1 ] && grep -q "the name is not valid in this locale's encoding (under LC_ALL=C" err \
    || fail "a name that is not UTF-8 under a UTF-8 locale: status $rc, $(cat err)"
# Control characters in a name reach the terminal escaped.
rc=0; $lumorra create -o o.gif $'a\x1b[31mred\n.png' in/f1.png 2>err || rc=$?
[ "$rc" -eq 1 ] && grep -qxF 'lumorra create: cannot read a\x1b[31mred\n.png: no such file' err \
    || fail "control characters: $(od -c err)"
rm -r err $'\xfe' $'\xfe.gif' dash.gif ./-dash.png $'\xff\xfe.png'

# Without a display the window says so in one line, and what works without one.
for args in "" in/f1.png; do
    rc=0; $lumorra $args >out 2>err || rc=$?
    [ "$rc" -eq 1 ] && [ ! -s out ] && [ "$(wc -l <err)" -eq 1 ] \
        && grep -q "^lumorra: no display found.*'lumorra create' and 'lumorra resolve'.*--help" err \
        || fail "no display, lumorra $args: status $rc, $(cat out err)"
done
rm out err

# Hidden files and links, dangling ones too, are entries: such a folder is not empty.
mkdir hidden linked && touch hidden/.x && ln -s "$work/elsewhere" linked/1.png.1.part
expect_failure 1 "hidden is not empty" resolve cli.gif -o hidden
expect_failure 1 "linked is not empty" resolve cli.gif -o linked
# Writes that fail as on a full disk.
(trap '' XFSZ; ulimit -f 1
 expect_failure 1 "cannot write full.gif" create -o full.gif in/*.png
 expect_failure 1 "cannot write the frames into" resolve noise.gif -o frames)

# A damaged GIF keeps the whole frames before the damage, and says how many.
convert -size 200x200 xc:red xc:green xc:blue xc:black -set delay 10 four.gif
head -c $(($(stat -c %s four.gif) - 300)) four.gif >damaged.gif
rc=0; $lumorra resolve damaged.gif 2>err || rc=$?
kept=$(ls damaged | wc -l)
[ "$rc" -eq 1 ] && [ "$kept" -ge 1 ] && [ "$kept" -lt 4 ] && grep -qx "lumorra resolve: damaged.gif is damaged: $kept frames\? before the damage written to $work/damaged" err \
    || fail "damaged GIF: status $rc, $kept frames, $(cat err)"

# Stopped while writing: nothing of the run is left.
# Ctrl+C's SIGINT, which a background job of a script would ignore.
env --default-signal=INT $lumorra create -o long.gif $(for _ in $(seq 30); do echo noise/n*.png; done) &
for _ in $(seq 200); do [ -s long.gif.1.part ] && break; sleep 0.05; done
kill -INT $!
rc=0; wait $! || rc=$?
[ "$rc" -eq 130 ] && ! compgen -G '*long.gif*' >/dev/null || fail "stopped create: status $rc, $(ls -a)"
# SIGTERM while frames are being written: stopping is not an error, only the one line says so.
$lumorra resolve noise.gif -o stopped 2>err &
for _ in $(seq 200); do [ -e stopped/1.png ] && break; sleep 0.05; done
kill -TERM $!
rc=0; wait $! || rc=$?
[ "$rc" -eq 130 ] && [ ! -e stopped ] || fail "stopped resolve: status $rc, $(ls stopped | wc -l) files"
[ "$(cat err)" = "lumorra resolve: interrupted, the frames of the run removed" ] \
    || fail "stopped resolve said: $(cat err)"
# A closed terminal (SIGHUP) stops a run as Ctrl+C does.
$lumorra create -o hup.gif $(for _ in $(seq 30); do echo noise/n*.png; done) &
for _ in $(seq 200); do [ -s hup.gif.1.part ] && break; sleep 0.05; done
kill -HUP $!
rc=0; wait $! || rc=$?
[ "$rc" -eq 130 ] && ! compgen -G '*hup.gif*' >/dev/null || fail "SIGHUP: status $rc, $(ls -a)"

# Partial files that killed runs left are taken back; the one a running create holds stays.
for n in $(seq 100); do echo stale >"stale.gif.$n.part"; done
$lumorra create -o stale.gif in/f1.png && ! compgen -G 'stale.gif.*.part' >/dev/null \
    || fail "stale partial files: $(ls stale.gif*)"
$lumorra create -o busy.gif $(for _ in $(seq 30); do echo noise/n*.png; done) &
for _ in $(seq 200); do [ -s busy.gif.1.part ] && break; sleep 0.05; done
$lumorra create -o busy.gif in/f1.png && [ -s busy.gif.1.part ] || fail "a running create's file was taken"
kill -TERM $!
wait $! || true

# On a terminal a bar ends at 100%; --quiet draws none.
script -qec "$lumorra create -o tty.gif in/*.png" /dev/null | grep -q '\[#*\] 100%' || fail "no bar"
[ -z "$(script -qec "$lumorra resolve -q tty.gif" /dev/null)" ] || fail "--quiet drew"
echo "PASS: create matched the images page; resolve, failures, stops and progress as expected"
