#!/bin/bash
# Times our bench programs side by side with other tools on the same sequences and prints
# a table: tool, seconds, megapixels per second, output size, PSNR against the source
# frames (decoded by ffmpeg), time and size relative to ours; then, per sequence, our
# whole process against ffmpeg's default as a ratio of medians.
# Usage: bench/compare.sh [BIN_DIR [WORK_DIR]]   (defaults: build/bin, a fresh temp folder)
# Our programs and ffmpeg's fast modes run RUNS times (default 5) in turn, and the median
# is shown; the slow tools run once.
# Needs ffmpeg, ImageMagick and the DejaVu fonts (tools/install-deps.sh). Takes several
# minutes on 2 cores.
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
# The same at 1920 x 1080, 30 frames.
if [ ! -f pan1080/030.png ]; then
    mkdir -p pan1080
    convert -seed 7 -size 2240x1260 plasma:fractal -depth 8 pan1080-base.png
    ffmpeg -v error -y -loop 1 -i pan1080-base.png -vf "crop=1920:1080:n*10:n*6,format=rgb24" \
        -frames:v 30 pan1080/%03d.png
fi
# Fractal zoom.
if [ ! -f zoom/060.png ]; then
    mkdir -p zoom
    ffmpeg -v error -y -f lavfi -i mandelbrot=size=640x360:rate=25 -frames:v $frames zoom/%03d.png
fi
# Screen recording: a still 1280 x 720 desktop (a smooth wallpaper, icons, a taskbar) with
# an editor window dragged across it while a line is typed into it.
if [ ! -f screen/060.png ]; then
    mkdir -p screen
    font=DejaVu-Sans
    convert -size 1280x720 -seed 11 plasma:'#1e3c72'-'#6a8fc8' -blur 0x5 \
        -fill '#1b1b1f' -draw 'rectangle 0,680 1279,719' \
        -fill '#e8a33d' -draw 'roundrectangle 12,688 36,712 5,5' \
        -fill '#4caf50' -draw 'roundrectangle 48,688 72,712 5,5' \
        -fill '#3f7fd6' -draw 'roundrectangle 84,688 108,712 5,5' \
        -font $font -pointsize 14 -fill '#f0f0f0' -annotate +1200+705 '10:42' \
        -fill '#f2c14e' -draw 'roundrectangle 30,30 78,78 8,8' \
        -fill '#9ccc65' -draw 'roundrectangle 30,120 78,168 8,8' \
        -fill '#ef6c6c' -draw 'roundrectangle 30,210 78,258 8,8' \
        -fill white -annotate +22+96 'Documents' -annotate +28+186 'Projects' \
        -annotate +36+276 'Trash' -depth 8 screen-background.png
    convert -size 560x340 xc:white -fill '#3c3f41' -draw 'rectangle 0,0 559,31' \
        -fill '#ff5f57' -draw 'circle 18,16 24,16' -fill '#febc2e' -draw 'circle 38,16 44,16' \
        -fill '#28c840' -draw 'circle 58,16 64,16' \
        -font $font -pointsize 14 -fill '#e0e0e0' -annotate +230+21 'notes.txt' \
        -fill '#222222' -pointsize 15 -annotate +16+60 'Release checklist' \
        -annotate +16+86 '- build on Windows and Debian' \
        -annotate +16+112 '- run the whole test suite' \
        -annotate +16+138 '- compare sizes with the peers' \
        -annotate +16+164 '- look at every GIF we made' \
        \( +clone -background black -shadow 50x6+0+4 \) +swap -background none -layers merge \
        +repage screen-window.png
    typed='The smaller file keeps the background and writes the window only.'
    for ((n = 0; n < frames; n++)); do
        convert screen-background.png \( screen-window.png -font $font -pointsize 15 \
            -fill '#1a4f9c' -annotate +28+198 "${typed:0:$((n + 8))}|" \) \
            -geometry +$((60 + 10 * n))+$((50 + 3 * n)) -composite -depth 8 \
            -define png:color-type=2 screen/$(printf %03d $((n + 1))).png
    done
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
# The encoder's own time, as encode-images prints it.
encode_seconds() { "$@" 2>/dev/null | awk '/^encode:/{print $2}'; }
# PSNR in dB of a GIF against the sequence's frames, both decoded by ffmpeg.
psnr() { # sequence gif
    ffmpeg -hide_banner -framerate 10 -i "$1/%03d.png" -i "$2" -lavfi \
        "[0:v]format=rgb24[a];[1:v]format=rgb24[b];[b][a]psnr" -f null - 2>&1 |
        sed -n 's/.*PSNR.*average:\([0-9.a-z]*\).*/\1/p'
}

# Measures the commands given as strings with the function named first (seconds or
# encode_seconds), in turn, runs times each; sets medians to their median seconds. Taking
# turns spreads any disturbance over all of them.
side_by_side() {
    local measure=$1 k i
    shift
    local -a times=()
    for ((k = 0; k < runs; k++)); do
        for ((i = 1; i <= $#; i++)); do
            times[i]="${times[i]:-} $(eval "$measure ${!i}")"
        done
    done
    medians=()
    for ((i = 1; i <= $#; i++)); do
        medians+=("$(median ${times[i]})")
    done
}
encoding=()
versus=()

rows=()
row() { # sequence tool seconds megapixels output-bytes psnr
    rows+=("$1|$2|$3|$4|$5|$6")
}

for seq in pan pan1080 zoom screen; do
    count=$(ls $seq/*.png | wc -l)
    megapixels=$(identify -format "%w %h\n" $seq/001.png | awk -v n=$count '{print $1*$2*n/1e6}')
    side_by_side seconds '"$bin/encode-images" $seq-ours.gif $seq/*.png' \
        '"$bin/encode-images" --smaller $seq-smaller.gif $seq/*.png' \
        'ffmpeg -v error -y -framerate 10 -i $seq/%03d.png $seq-ffmpeg.gif'
    row $seq "encode-images (ours)" ${medians[0]} $megapixels $(size_of $seq-ours.gif) \
        $(psnr $seq $seq-ours.gif)
    row $seq "encode-images --smaller" ${medians[1]} $megapixels $(size_of $seq-smaller.gif) \
        $(psnr $seq $seq-smaller.gif)
    ffmpeg_default=${medians[2]}
    versus+=("$seq|${medians[0]}|$ffmpeg_default")
    t=$(seconds "$bin/encode-images" --reference $seq-reference.gif $seq/*.png)
    row $seq "encode-images --reference" $t $megapixels $(size_of $seq-reference.gif) \
        $(psnr $seq $seq-reference.gif)
    cmp -s $seq-ours.gif $seq-reference.gif || echo "WARNING: $seq: ours differs from the reference" >&2
    row $seq "ffmpeg default" $ffmpeg_default $megapixels $(size_of $seq-ffmpeg.gif) \
        $(psnr $seq $seq-ffmpeg.gif)
    # Encoding alone, from frames decoded into memory first: both our modes in turn, and
    # the reference.
    side_by_side encode_seconds '"$bin/encode-images" --in-memory $seq-ours.gif $seq/*.png' \
        '"$bin/encode-images" --in-memory --smaller $seq-smaller.gif $seq/*.png'
    reference=$(encode_seconds "$bin/encode-images" --reference $seq-reference.gif $seq/*.png)
    encoding+=("$seq|${medians[0]}|${medians[1]}|$reference")
    t=$(seconds ffmpeg -v error -y -framerate 10 -i $seq/%03d.png -vf \
        "split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1" $seq-ffmpeg-palette.gif)
    row $seq "ffmpeg palette per frame" $t $megapixels $(size_of $seq-ffmpeg-palette.gif) \
        $(psnr $seq $seq-ffmpeg-palette.gif)
    t=$(seconds convert -delay 10 -loop 0 $seq/*.png $seq-convert.gif)
    row $seq "convert (ImageMagick)" $t $megapixels $(size_of $seq-convert.gif) \
        $(psnr $seq $seq-convert.gif)
done

# Resolve: our pan GIF back into PNG files.
megapixels=$(awk -v n=$frames 'BEGIN{print 1280*720*n/1e6}')
rm -rf resolve-ours resolve-ffmpeg && mkdir -p resolve-ffmpeg
side_by_side seconds '"$bin/resolve-gif" pan-ours.gif resolve-ours' \
    'ffmpeg -v error -y -i pan-ours.gif resolve-ffmpeg/%d.png'
row resolve "resolve-gif (ours)" ${medians[0]} $megapixels $(size_of resolve-ours/*.png) -
row resolve "ffmpeg -i in.gif %d.png" ${medians[1]} $megapixels $(size_of resolve-ffmpeg/*.png) -

# Peak memory of the whole process in both modes, frames read from the files: the encoder's
# canvas-sized buffers and the few frames on their way to it, whatever the length of the
# sequence.
peak_kb() { /usr/bin/time -f %M "$bin/encode-images" "$@" pan-memory.gif pan/*.png 2>&1 >/dev/null | tail -1; }
budget=$(( 64 * 1024 * 1024 + 32 * 1280 * 720 ))

printf "%-8s %-26s %8s %8s %12s %8s %7s %7s\n" sequence tool seconds "MP/s" "output bytes" \
    "PSNR dB" "x time" "x size"
ours=0
ours_bytes=0
for r in "${rows[@]}"; do
    IFS='|' read -r seq tool t mp bytes db <<<"$r"
    case "$tool" in *"(ours)"*) ours=$t ours_bytes=$bytes ;; esac
    awk -v s="$seq" -v n="$tool" -v t="$t" -v mp="$mp" -v b="$bytes" -v db="$db" -v o="$ours" \
        -v ob="$ours_bytes" \
        'BEGIN{printf "%-8s %-26s %8.2f %8.2f %12s %8s %7.2f %7.3f\n", s, n, t, mp / t, b, db, t / o, b / ob}'
done
echo "x time, x size: relative to encode-images (ours) on the same sequence"
for r in "${encoding[@]}"; do
    IFS='|' read -r seq ours_encode smaller_encode reference_encode <<<"$r"
    awk -v s="$seq" -v o="$ours_encode" -v m="$smaller_encode" -v r="$reference_encode" \
        'BEGIN{printf "encoding alone (frames in memory) on the %s: ours %.3f s, --smaller %.3f s (%+.1f %%), reference %.3f s, %.2f times as fast as the reference\n", s, o, m, 100 * (m - o) / o, r, r / o}'
done
for r in "${versus[@]}"; do
    IFS='|' read -r seq o f <<<"$r"
    awk -v s="$seq" -v o="$o" -v f="$f" -v n="$runs" \
        'BEGIN{printf "whole process on the %s: ours %.3f s / ffmpeg default %.3f s = %.2f (medians of %d runs in turn; target 0.80 at most)\n", s, o, f, o / f, n}'
done
for mode in "" --smaller; do
    kb=$(peak_kb $mode)
    printf "peak memory of encode-images %s on the pan: %d MiB (budget %d MiB: 64 MiB and 32 bytes a canvas pixel)\n" \
        "${mode:-(default)}" $((kb / 1024)) $((budget / 1048576))
done
echo "work folder: $work"
