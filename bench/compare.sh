#!/bin/bash
# Times our bench programs side by side with other tools on the same sequences and prints
# a table: tool, seconds, megapixels per second, output size, time relative to ours.
# Usage: bench/compare.sh [BIN_DIR [WORK_DIR]]   (defaults: build/bin, a fresh temp folder)
# Our programs and ffmpeg's fast modes run RUNS times (default 5) in turn, and the median
# is shown; the slow tools run once.
# Needs ffmpeg and ImageMagick (tools/install-deps.sh). Takes a few minutes on 2 cores.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build/bin}" && pwd)
work=${2:-$(mktemp -d "${TMPDIR:-/tmp}/lumorra-bench.XXXXXX")}
mkdir -p "$work"
cd "$work"
frames=60

# Photo-like pan: one plasma fractal, a 1280 x 720 window moving across it.
if [ ! -f pan/060.png ]; then
    mkdir -p pan
    convert -seed 7 -size 1600x960 plasma:fractal -depth 8 pan-base.png
    ffmpeg -v error -y -loop 1 -i pan-base.png -vf "crop=1280:720:n*5:n*3,format=rgb24" \
        -frames:v $frames pan/%03d.png
fi
# Fractal zoom.
if [ ! -f zoom/060.png ]; then
    mkdir -p zoom
    ffmpeg -v error -y -f lavfi -i mandelbrot=size=640x360:rate=25 -frames:v $frames zoom/%03d.png
fi

seconds() { # runs the command, prints its wall-clock seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN{printf "%.3f", b - a}' 
}
size_of() { du -cb "$@" | tail -1 | cut -f1; }
median() { printf "%s\n" "$@" | sort -g | awk '{v[NR] = $1} END{print v[int((NR + 1) / 2)]}'; }
runs=${RUNS:-5}

# Times two commands given as two strings, in turn, runs times each; sets first and second
# to their median seconds. Taking turns spreads any disturbance over both.
side_by_side() {
    local a=() b=() k
    for ((k = 0; k < runs; k++)); do
        a+=("$(eval "seconds $1")")
        b+=("$(eval "seconds $2")")
    done
    first=$(median "${a[@]}")
    second=$(median "${b[@]}")
}
# The encoder's own time, as encode-images prints it.
encode_seconds() { "$@" 2>/dev/null | awk '/^encode:/{print $2}'; }
speedups=()

rows=()
row() { # sequence tool seconds megapixels output-bytes
    rows+=("$1|$2|$3|$4|$5")
}

for seq in pan zoom; do
    megapixels=$(identify -format "%w %h\n" $seq/001.png | awk -v n=$frames '{print $1*$2*n/1e6}')
    side_by_side '"$bin/encode-images" $seq-ours.gif $seq/*.png' \
        'ffmpeg -v error -y -framerate 10 -i $seq/%03d.png $seq-ffmpeg.gif'
    row $seq "encode-images (ours)" $first $megapixels $(size_of $seq-ours.gif)
    ffmpeg_default=$second
    t=$(seconds "$bin/encode-images" --reference $seq-reference.gif $seq/*.png)
    row $seq "encode-images --reference" $t $megapixels $(size_of $seq-reference.gif)
    cmp -s $seq-ours.gif $seq-reference.gif || echo "WARNING: $seq: ours differs from the reference" >&2
    row $seq "ffmpeg default" $ffmpeg_default $megapixels $(size_of $seq-ffmpeg.gif)
    # Encoding alone, decoding left out: ours (the median) against the reference.
    e=()
    for ((k = 0; k < runs; k++)); do
        e+=("$(encode_seconds "$bin/encode-images" $seq-ours.gif $seq/*.png)")
    done
    reference=$(encode_seconds "$bin/encode-images" --reference $seq-reference.gif $seq/*.png)
    speedups+=("$seq|$(median "${e[@]}")|$reference")
    t=$(seconds ffmpeg -v error -y -framerate 10 -i $seq/%03d.png -vf \
        "split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1" $seq-ffmpeg-palette.gif)
    row $seq "ffmpeg palette per frame" $t $megapixels $(size_of $seq-ffmpeg-palette.gif)
    t=$(seconds convert -delay 10 -loop 0 $seq/*.png $seq-convert.gif)
    row $seq "convert (ImageMagick)" $t $megapixels $(size_of $seq-convert.gif)
done

# Resolve: our pan GIF back into PNG files.
megapixels=$(awk -v n=$frames 'BEGIN{print 1280*720*n/1e6}')
rm -rf resolve-ours resolve-ffmpeg && mkdir -p resolve-ffmpeg
side_by_side '"$bin/resolve-gif" pan-ours.gif resolve-ours' \
    'ffmpeg -v error -y -i pan-ours.gif resolve-ffmpeg/%d.png'
row resolve "resolve-gif (ours)" $first $megapixels $(size_of resolve-ours/*.png)
row resolve "ffmpeg -i in.gif %d.png" $second $megapixels $(size_of resolve-ffmpeg/*.png)

# Peak memory of our encoder beyond the decoded input images (RGBA, 4 bytes a pixel).
peak_kb=$(/usr/bin/time -f %M "$bin/encode-images" pan-memory.gif pan/*.png 2>&1 >/dev/null | tail -1)
inputs=$((1280 * 720 * 4 * frames))
beyond=$(( peak_kb * 1024 - inputs ))
budget=$(( 64 * 1024 * 1024 + 12 * 1280 * 720 ))

printf "%-8s %-28s %9s %9s %14s %9s\n" sequence tool seconds "MP/s" "output bytes" "x ours"
ours=0
for r in "${rows[@]}"; do
    IFS='|' read -r seq tool t mp bytes <<<"$r"
    case "$tool" in *"(ours)"*) ours=$t ;; esac
    awk -v s="$seq" -v n="$tool" -v t="$t" -v mp="$mp" -v b="$bytes" -v o="$ours" \
        'BEGIN{printf "%-8s %-28s %9.2f %9.2f %14s %9.2f\n", s, n, t, mp / t, b, t / o}' 
done
for r in "${speedups[@]}"; do
    IFS='|' read -r seq ours_encode reference_encode <<<"$r"
    awk -v s="$seq" -v o="$ours_encode" -v r="$reference_encode" \
        'BEGIN{printf "encoding alone on the %s: ours %.3f s, reference %.3f s, %.2f times as fast\n", s, o, r, r / o}'
done
printf "peak memory of encode-images on the pan: %d MiB, %d MiB beyond the decoded inputs (budget %d MiB)\n" \
    $((peak_kb / 1024)) $((beyond / 1048576)) $((budget / 1048576))
echo "work folder: $work"
