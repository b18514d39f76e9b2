#!/bin/bash
# Makes a sticker animation with a clear background (a star turning as it moves, beside a
# 40 % transparent disc, which the GIF shows clear), and pictures of two sizes, as GIFs
# through lumorra create, and a page that shows them over a checkered background: open
# DIR/page.html in a browser to see what shows through.
# Usage: tools/sticker-page.sh [LUMORRA [DIR]]   (defaults: build/bin/lumorra, ./sticker-page)
# Needs ImageMagick.
set -euo pipefail
lumorra=$(realpath "${1:-$(dirname "$0")/../build/bin/lumorra}")
dir=${2:-sticker-page}
mkdir -p "$dir" && cd "$dir"
for n in $(seq 1 12); do
    convert -size 160x120 xc:none -fill 'rgb(255,190,0)' -stroke 'rgb(120,60,0)' -strokewidth 3 \
        -draw "translate $((30 + 8 * n)),60 rotate $((30 * n)) polygon 0,-40 10,-12 40,-12 16,6 25,36 0,18 -25,36 -16,6 -40,-12 -10,-12" \
        -fill 'rgba(0,120,255,0.4)' -stroke none -draw 'circle 140,20 140,8' \
        "star$(printf %02d "$n").png"
done
"$lumorra" create --fps 12 -o sticker.gif star*.png
"$lumorra" create --fps 12 --smaller -o sticker-smaller.gif star*.png
convert -size 200x150 xc:green big.png
convert -size 100x50 xc:blue small.png
"$lumorra" create --no-sort --place centre --fps 2 -o mixed.gif big.png small.png
cat >page.html <<'HTML'
<html><body style="margin:0;background-color:#fff;background-size:20px 20px;
background-image:linear-gradient(45deg,#bbb 25%,transparent 25%),linear-gradient(-45deg,#bbb 25%,transparent 25%),linear-gradient(45deg,transparent 75%,#bbb 75%),linear-gradient(-45deg,transparent 75%,#bbb 75%);
background-position:0 0,0 10px,10px -10px,-10px 0">
<p style="padding:10px"><img src="sticker.gif" width="320"> <img src="sticker-smaller.gif" width="320">
<img src="mixed.gif"></p>
</body></html>
HTML
echo "open $PWD/page.html"
