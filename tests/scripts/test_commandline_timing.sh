#!/bin/bash
# lumorra create's frame choices on real files: delays of a rate, of a file and of a timing
# file, loops, placement and size; resolve --timing and create --timing give back the same
# GIF; files that cannot be used are named with the line at fault.
# Arguments: bin folder, source folder, build folder.
source "$(dirname "$0")/cli-test-setup.sh"

# A sticker: a red disc moving over a clear background.
mkdir sticker
for n in 1 2 3 4 5 6; do
    convert -size 80x60 xc:none -fill 'rgb(230,60,40)' \
        -draw "circle $((5 + 10 * n)),30 $((5 + 10 * n)),18" "sticker/s$n.png"
done
delays() { identify -format '%T ' "$1"; }

# 30 frames a second: 3, 3, 4, ... hundredths, keeping time.
$lumorra create --fps 30 -o rate.gif sticker/*.png
[ "$(delays rate.gif)" = "3 3 4 3 3 4 " ] || fail "--fps 30: $(delays rate.gif)"

# Where the disc was, the background shows again: the second frame is clear at the
# first disc's left edge.
$lumorra resolve rate.gif -o rate-frames
[ "$(convert rate-frames/2.png -format '%[fx:int(255*p{5,30}.a)]' info:)" = 0 ] \
    || fail "the first disc shows through the second frame"
[ "$(convert rate-frames/2.png -format '%[fx:int(255*p{20,30}.a)]' info:)" = 255 ] \
    || fail "the second disc is not opaque"

# Own delays and a loop count, then back and forth through a timing file.
printf '10\n# the title\n150\n\n4\n4\n4\n20\n' >delays.txt
$lumorra create --delays delays.txt --loop 3 -o own.gif sticker/*.png
[ "$(delays own.gif)" = "10 150 4 4 4 20 " ] || fail "--delays: $(delays own.gif)"
$lumorra resolve --timing own.gif -o own-frames
[ "$(head -2 own-frames/timing.txt)" = "$(printf 'loop 3\n1.png 10')" ] \
    || fail "timing.txt: $(cat own-frames/timing.txt)"
$lumorra create --timing own-frames/timing.txt -o again.gif
cmp own.gif again.gif || fail "the timing round trip gives another GIF"
$lumorra create --loop 1 -o once.gif sticker/s1.png sticker/s2.png
$lumorra resolve --timing once.gif -o once-frames
[ "$(head -1 once-frames/timing.txt)" = "loop 1" ] || fail "once: $(head -1 once-frames/timing.txt)"
$lumorra create -o forever.gif sticker/s1.png sticker/s2.png
$lumorra resolve --timing forever.gif -o forever-frames
[ "$(head -1 forever-frames/timing.txt)" = "loop forever" ] || fail "forever"
# Names with spaces, relative to the timing file's folder.
mkdir -p 'with space/sub'
cp sticker/s1.png 'with space/sub/first frame.png'
printf 'loop 2\nsub/first frame.png 7\n../sticker/s2.png 9\n' >'with space/timing.txt'
(cd / && $lumorra create --timing "$work/with space/timing.txt" -o "$work/spaced.gif")
[ "$(delays spaced.gif)" = "7 9 " ] || fail "spaced names: $(delays spaced.gif)"

# Size: a width or a height keeps the proportions; both fit the box.
for size in "--width 40:40x30" "--height 30:40x30" "--width 40 --height 24:32x24" \
    "--width 200:200x150"; do
    $lumorra create ${size%%:*} -o sized.gif sticker/s1.png
    [ "$(identify -format '%Wx%H\n' sized.gif | head -1)" = "${size##*:}" ] \
        || fail "$size: $(identify -format '%Wx%H\n' sized.gif | head -1)"
done

# Placement of a smaller picture: the rest of the canvas is clear.
convert -size 40x20 xc:blue small.png
convert -size 80x60 xc:green big.png
for place in "topleft 0 0" "centre 20 20" "fit 0 10"; do
    set -- $place
    $lumorra create --no-sort --place $1 -o placed.gif big.png small.png
    $lumorra resolve placed.gif -o placed-$1
    [ "$(convert placed-$1/2.png -format "%[fx:int(255*p{$2,$3}.b)]" info:)" = 255 ] \
        || fail "--place $1: no picture at $2,$3"
done
[ "$(convert placed-centre/2.png -format '%[fx:int(255*p{5,5}.a)]' info:)" = 0 ] \
    || fail "--place centre: the corner is not clear"

# Files and options that cannot be used: status 2, the file and line named.
printf '10\n1\n' >bad.txt
printf 'loop sometimes\n1.png 10\n' >badloop.txt
printf 'loop 2\n1.png\n' >nodelay.txt
check() { # status message arguments...
    local status=$1 message=$2 rc=0; shift 2
    $lumorra "$@" 2>err || rc=$?
    [ "$rc" -eq "$status" ] && grep -q "^lumorra create: .*$message" err \
        || fail "lumorra $*: status $rc, $(cat err)"
    [ ! -e out.gif ] || fail "lumorra $* wrote out.gif"
}
check 2 "bad.txt:2: '1' is not a delay" create --delays bad.txt -o out.gif sticker/s1.png sticker/s2.png
check 2 "delays.txt has 6 delays for 2 images" create --delays delays.txt -o out.gif sticker/s1.png sticker/s2.png
check 2 "badloop.txt:1: 'loop sometimes'" create --timing badloop.txt -o out.gif
check 2 "nodelay.txt:2: '1.png' is not a picture and its delay" create --timing nodelay.txt -o out.gif
check 2 "cannot read missing.txt" create --timing missing.txt -o out.gif
check 2 "leave out images" create --timing own-frames/timing.txt -o out.gif sticker/s1.png
check 2 "leave out --fps" create --delays delays.txt --fps 5 -o out.gif sticker/*.png
check 2 "--loop takes forever or a number" create --loop 0 -o out.gif sticker/s1.png
check 2 "--place takes topleft, centre or fit" create --place middle -o out.gif sticker/s1.png
check 2 "--width takes a whole number" create --width -3 -o out.gif sticker/s1.png
echo "PASS: delays, loops, timing round trip, size and placement as asked"
