#!/bin/bash
# Times our bench programs side by side with other tools on the same sequences and prints
# a table: tool, seconds, megapixels per second, output size, SSIM and PSNR against the
# source frames (both decoded by ffmpeg), time and size relative to ours; then, per
# sequence, our quality levels against gifski's -Q 90 and -Q 70 (the targets: as good for
# at most 0.8 times the bytes in at most a quarter of the time), our whole process against
# ffmpeg's default as a ratio of medians, and a plot of bytes against SSIM per sequence
# (SEQUENCE-quality.png in the work folder).
# Usage: bench/compare.sh [BIN_DIR [WORK_DIR]]   (defaults: build/bin, a fresh temp folder)
# Our programs and ffmpeg's default run RUNS times (default 5) in turn, the quality levels
# LEVEL_RUNS times (default 3), and the median is shown; gifski and the slow tools run once. LEVELS (default "100 90 80 70 60 50 40")
# and SEQUENCES (default "pan pan1080 zoom screen camera") choose what is measured. SLOW=1
# adds the slow rows: the reference encoder (and its byte check), ffmpeg's palette per
# frame and ImageMagick; without them the whole run takes about 15 minutes on 2 cores.
# Needs ffmpeg, ImageMagick, the DejaVu fonts, npm (gifski is installed into the work
# folder on the first run) and Debian's python3-matplotlib (tools/install-deps.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build/bin}" && pwd)
work=${2:-$(mktemp -d "${TMPDIR:-/tmp}/lumorra-bench.XXXXXX")}
mkdir -p "$work"
cd "$work"
frames=60
read -r -a levels <<<"${LEVELS:-100 90 80 70 60 50 40}"
read -r -a sequences <<<"${SEQUENCES:-pan pan1080 zoom screen camera}"
slow=${SLOW:-0}
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
# Camera-like: a moving scene (drifting colour gradients, a fractal and a test card sliding
# across them) seen through a shaking camera, slightly soft, with sensor grain that
# changes every frame.
if [ ! -f camera/060.png ]; then
    mkdir -p camera
    ffmpeg -v error -y -f lavfi -i "gradients=s=1400x800:r=25:n=5:speed=0.02:seed=9" \
        -f lavfi -i "mandelbrot=s=480x320:r=25" -f lavfi -i "testsrc2=s=320x240:r=25" \
        -filter_complex "[0:v][1:v]overlay=x='300+4*n':y='260+n'[a];[a][2:v]overlay=x='900-3*n':y=120[b];[b]crop=1280:720:'60+18*sin(n/7)':'40+12*cos(n/9)',gblur=sigma=0.7,noise=alls=8:allf=t,format=rgb24" \
        -frames:v $frames camera/%03d.png
fi
# gifski, for the bench only: the npm package ships a Linux binary.
gifski=$work/gifski/node_modules/gifski/bin/debian/gifski
if [ ! -x "$gifski" ]; then
    mkdir -p gifski
    [ -f gifski/package.json ] || echo '{}' >gifski/package.json
    (cd gifski && npm install --no-audit --no-fund --loglevel=error gifski >/dev/null)
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
level_runs=${LEVEL_RUNS:-3}
# The encoder's own time, as encode-images prints it.
encode_seconds() { "$@" 2>/dev/null | awk '/^encode:/{print $2}'; }
# "SSIM PSNR" of a GIF against the sequence's frames, both decoded by ffmpeg: SSIM of the
# luma and PSNR over red, green and blue, each the mean over the frames.
quality() { # sequence gif
    ffmpeg -hide_banner -framerate 10 -i "$1/%03d.png" -i "$2" -lavfi \
        "[0:v]split[a1][a2];[1:v]split[b1][b2];[a1]format=rgb24[ar];[b1]format=rgb24[br];[br][ar]psnr;[a2]format=yuv444p[ay];[b2]format=yuv444p[by];[by][ay]ssim" \
        -f null - 2>&1 | awk '/SSIM Y:/{sub(/.*SSIM Y:/, ""); s = $1}
            /PSNR.*average:/{sub(/.*average:/, ""); p = $1} END{print s, p}'
}
# The SSIM alone.
luma_ssim() { # sequence gif
    ffmpeg -hide_banner -framerate 10 -i "$1/%03d.png" -i "$2" -lavfi \
        "[0:v]format=yuv444p[a];[1:v]format=yuv444p[b];[b][a]ssim" -f null - 2>&1 |
        awk '/SSIM Y:/{sub(/.*SSIM Y:/, ""); print $1}'
}

# The lowest level whose GIF of the sequence has at least the given SSIM, by bisection
# between a level known to have less (0 for none) and one that has as much (SSIM falls with
# the level), checked first unless it was measured; nothing when even that has less. Leaves
# the GIFs it made as SEQUENCE-qLEVEL.search.gif.
lowest_level_as_good() { # sequence ssim low high high-measured
    local low=$3 high=$4 middle
    good() { # sequence level ssim
        "$bin/encode-images" --quality $2 $1-q$2.search.gif $1/*.png >/dev/null 2>&1
        awk -v a="$(luma_ssim $1 $1-q$2.search.gif)" -v b="$3" 'BEGIN{exit !(a >= b)}'
    }
    [ "$5" = measured ] || good $1 $high $2 || return 0
    while ((high - low > 1)); do
        middle=$(((low + high) / 2))
        if good $1 $middle $2; then high=$middle; else low=$middle; fi
    done
    echo $high
}
# Of the levels measured on the sequence, the "low high measured" around the SSIM: the
# highest with less and the lowest with as much ("99 unmeasured" when none has).
levels_around() { # sequence ssim
    local r s tool t mp bytes ssim db kind level low=0 high=99 measured=unmeasured
    for r in "${rows[@]}"; do
        IFS='|' read -r s tool t mp bytes ssim db kind <<<"$r"
        [ "$s" = "$1" ] && [ "$kind" = level ] || continue
        level=${tool##* }
        [ "$level" = "(ours)" ] && continue
        if awk -v a="$ssim" -v b="$2" 'BEGIN{exit !(a >= b)}' \
            && { [ $measured = unmeasured ] || ((level < high)); }; then
            high=$level
            measured=measured
        fi
    done
    for r in "${rows[@]}"; do
        IFS='|' read -r s tool t mp bytes ssim db kind <<<"$r"
        [ "$s" = "$1" ] && [ "$kind" = level ] || continue
        level=${tool##* }
        [ "$level" = "(ours)" ] && continue
        ((level < high && level > low)) && low=$level
    done
    echo $low $high $measured
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
row() { # sequence tool seconds megapixels output-files kind
    local measured="- -"
    [ "$1" = resolve ] || measured=$(quality "$1" "$5")
    rows+=("$1|$2|$3|$4|$(size_of $5)|${measured% *}|${measured#* }|$6")
}

for seq in "${sequences[@]}"; do
    found=""
    count=$(ls $seq/*.png | wc -l)
    read -r width height <<<"$(identify -format "%w %h\n" $seq/001.png)"
    megapixels=$(awk -v w=$width -v h=$height -v n=$count 'BEGIN{print w*h*n/1e6}')
    # Level 100 is the default, timed in turn with ffmpeg's; the other levels in turn with
    # each other, level_runs times.
    side_by_side seconds '"$bin/encode-images" $seq-ours.gif $seq/*.png' \
        '"$bin/encode-images" --smaller $seq-smaller.gif $seq/*.png' \
        'ffmpeg -v error -y -framerate 10 -i $seq/%03d.png $seq-ffmpeg.gif'
    row $seq "encode-images (ours)" ${medians[0]} $megapixels $seq-ours.gif level
    row $seq "encode-images --smaller" ${medians[1]} $megapixels $seq-smaller.gif smaller
    ffmpeg_default=${medians[2]}
    versus+=("$seq|${medians[0]}|$ffmpeg_default")
    row $seq "ffmpeg default" $ffmpeg_default $megapixels $seq-ffmpeg.gif ffmpeg
    commands=()
    for level in "${levels[@]}"; do
        [ "$level" = 100 ] || commands+=("\"\$bin/encode-images\" --quality $level \$seq-q$level.gif \$seq/*.png")
    done
    runs=$level_runs side_by_side seconds "${commands[@]}"
    k=0
    for level in "${levels[@]}"; do
        [ "$level" = 100 ] && continue
        row $seq "encode-images -q $level" ${medians[k]} $megapixels $seq-q$level.gif level
        k=$((k + 1))
    done
    for q in 90 70; do
        t=$(seconds "$gifski" -Q $q -r 10 -W $width -H $height -o $seq-gifski$q.gif $seq/*.png)
        row $seq "gifski -Q $q" $t $megapixels $seq-gifski$q.gif gifski
    done
    # For each, our lowest level at least as good, timed like the others.
    for q in 90 70; do
        target=$(quality $seq $seq-gifski$q.gif)
        level=$(lowest_level_as_good $seq "${target% *}" $(levels_around $seq "${target% *}"))
        [ -n "$level" ] || continue
        case " ${levels[*]} $found " in *" $level "*) continue ;; esac
        found="$found $level"
        runs=$level_runs side_by_side seconds "\"\$bin/encode-images\" --quality $level \$seq-q$level.gif \$seq/*.png"
        row $seq "encode-images -q $level" ${medians[0]} $megapixels $seq-q$level.gif level
    done
    # Encoding alone, from frames decoded into memory first: both our modes in turn.
    side_by_side encode_seconds '"$bin/encode-images" --in-memory $seq-ours.gif $seq/*.png' \
        '"$bin/encode-images" --in-memory --smaller $seq-smaller.gif $seq/*.png'
    reference=-
    if [ "$slow" = 1 ]; then
        reference=$(encode_seconds "$bin/encode-images" --reference $seq-reference.gif $seq/*.png)
        cmp -s $seq-ours.gif $seq-reference.gif ||
            echo "WARNING: $seq: ours differs from the reference" >&2
        t=$(seconds ffmpeg -v error -y -framerate 10 -i $seq/%03d.png -vf \
            "split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1" $seq-ffmpeg-palette.gif)
        row $seq "ffmpeg palette per frame" $t $megapixels $seq-ffmpeg-palette.gif ffmpeg
        t=$(seconds convert -delay 10 -loop 0 $seq/*.png $seq-convert.gif)
        row $seq "convert (ImageMagick)" $t $megapixels $seq-convert.gif convert
    fi
    encoding+=("$seq|${medians[0]}|${medians[1]}|$reference")
done

# Resolve: our pan GIF back into PNG files.
if [ -f pan-ours.gif ]; then
    megapixels=$(awk -v n=$frames 'BEGIN{print 1280*720*n/1e6}')
    rm -rf resolve-ours resolve-ffmpeg && mkdir -p resolve-ffmpeg
    side_by_side seconds '"$bin/resolve-gif" pan-ours.gif resolve-ours' \
        'ffmpeg -v error -y -i pan-ours.gif resolve-ffmpeg/%d.png'
    row resolve "resolve-gif (ours)" ${medians[0]} $megapixels "resolve-ours/*.png" resolve
    row resolve "ffmpeg -i in.gif %d.png" ${medians[1]} $megapixels "resolve-ffmpeg/*.png" resolve
fi

# Peak memory of the whole process in both modes, frames read from the files: the encoder's
# canvas-sized buffers and the few frames on their way to it, whatever the length of the
# sequence.
peak_kb() { /usr/bin/time -f %M "$bin/encode-images" "$@" pan-memory.gif pan/*.png 2>&1 >/dev/null | tail -1; }
budget=$(( 64 * 1024 * 1024 + 32 * 1280 * 720 ))

printf "%-8s %-26s %8s %8s %12s %7s %8s %7s %7s\n" sequence tool seconds "MP/s" "output bytes" \
    SSIM "PSNR dB" "x time" "x size"
ours=0
ours_bytes=0
for r in "${rows[@]}"; do
    IFS='|' read -r seq tool t mp bytes ssim db kind <<<"$r"
    case "$tool" in *"(ours)"*) ours=$t ours_bytes=$bytes ;; esac
    awk -v s="$seq" -v n="$tool" -v t="$t" -v mp="$mp" -v b="$bytes" -v q="$ssim" -v db="$db" \
        -v o="$ours" -v ob="$ours_bytes" \
        'BEGIN{printf "%-8s %-26s %8.2f %8.2f %12s %7s %8s %7.2f %7.3f\n", s, n, t, mp / t, b, q, db, t / o, b / ob}'
done
echo "x time, x size: relative to encode-images (ours) on the same sequence"

# Per sequence and gifski setting: our smallest level at least as good (SSIM), its bytes and
# whole-process time relative to gifski's. Met: at most 0.8 times the bytes and a quarter of
# the time. And the table and plot of bytes against SSIM.
for seq in "${sequences[@]}"; do
    table=$seq-quality.csv
    echo "tool,seconds,bytes,ssim,psnr,kind" >$table
    for r in "${rows[@]}"; do
        IFS='|' read -r s tool t mp bytes ssim db kind <<<"$r"
        [ "$s" = "$seq" ] && echo "$tool,$t,$bytes,$ssim,$db,$kind" >>$table
    done
    for q in 90 70; do
        awk -F, -v q="gifski -Q $q" -v s=$seq 'NR > 1 {t[NR] = $1; sec[NR] = $2; b[NR] = $3; ssim[NR] = $4; k[NR] = $6; if ($1 == q) g = NR}
            END{best = 0
                for (i in t) if (k[i] == "level" && ssim[i] >= ssim[g] && (!best || b[i] < b[best])) best = i
                if (!best) {printf "target on the %s against %s (SSIM %s, %d bytes): no level is as good\n", s, q, ssim[g], b[g]; exit}
                br = b[best] / b[g]; tr = sec[best] / sec[g]
                printf "target on the %s against %s (SSIM %s, %d bytes, %.2f s): %s, SSIM %s, %.2f x the bytes, %.2f x the time: %s\n",
                    s, q, ssim[g], b[g], sec[g], t[best], ssim[best], br, tr, (br <= 0.8 && tr <= 0.25) ? "met" : "not met"}' $table
    done
    /usr/bin/python3 "$here/bench/plot-quality.py" $table $seq-quality.png "$seq: bytes against SSIM"
done
for r in "${encoding[@]}"; do
    IFS='|' read -r seq ours_encode smaller_encode reference_encode <<<"$r"
    awk -v s="$seq" -v o="$ours_encode" -v m="$smaller_encode" -v r="$reference_encode" \
        'BEGIN{printf "encoding alone (frames in memory) on the %s: ours %.3f s, --smaller %.3f s (%+.1f %%)", s, o, m, 100 * (m - o) / o
               if (r != "-") printf ", reference %.3f s, %.2f times as fast as the reference", r, r / o
               printf "\n"}'
done
for r in "${versus[@]}"; do
    IFS='|' read -r seq o f <<<"$r"
    awk -v s="$seq" -v o="$o" -v f="$f" -v n="$runs" \
        'BEGIN{printf "whole process on the %s: ours %.3f s / ffmpeg default %.3f s = %.2f (medians of %d runs in turn; target 0.80 at most)\n", s, o, f, o / f, n}'
done
if [ -d pan ]; then
    for mode in "" --smaller; do
        kb=$(peak_kb $mode)
        printf "peak memory of encode-images %s on the pan: %d MiB (budget %d MiB: 64 MiB and 32 bytes a canvas pixel)\n" \
            "${mode:-(default)}" $((kb / 1024)) $((budget / 1048576))
    done
fi
echo "plots: $work/*-quality.png"
echo "work folder: $work"
