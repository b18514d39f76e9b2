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
"$here/bench/make-sequences.sh" "$work"
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
