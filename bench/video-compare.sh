#!/bin/bash
# video-compare.sh [BIN_DIR [WORK_DIR]]
# One 10 s 1280 x 720 clip with motion and detail (ffmpeg's Mandelbrot zoom blended with its
# moving test pattern, 30 frames a second) made into a GIF of 15 frames a second at its own
# size, every way the video page makes one: ffmpeg's default, "High quality colours", and
# our encoder at levels 100 and 70 (ffmpeg decoding). Prints the seconds of the whole
# process (median of RUNS, 3 by default), the bytes, and the SSIM of the GIF's frames
# against the frames handed to the encoder (the clip at 15 frames a second). The clip stays
# in WORK_DIR, so that a second run skips making it.
set -euo pipefail
bin=${1:-build/bin}
work=${2:-$(mktemp -d)}
runs=${RUNS:-3}
mkdir -p "$work"
clip=$work/clip.mp4
if [ ! -s "$clip" ]; then
    ffmpeg -v error -y -f lavfi -i mandelbrot=size=1280x720:rate=30 \
        -f lavfi -i testsrc2=size=1280x720:rate=30 -filter_complex "[0][1]blend=all_mode=average" \
        -t 10 -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p "$clip"
fi

# ssim GIF SELECTION...: the mean SSIM over the frames, frame n of the GIF against frame n
# of the clip as the way hands its frames to its encoder: SELECTION is the way's frame
# selection (ffmpeg's default keeps the frames "-r 15" keeps for a GIF, the others take the
# "fps=15" filter). Frames are paired by count, since a GIF's times are rounded to
# hundredths.
ssim() {
    local gif=$1; shift
    ffmpeg -nostdin -v error -i "$clip" "$@" -f rawvideo -pix_fmt rgb24 - \
        | ffmpeg -nostdin -f rawvideo -pix_fmt rgb24 -s 1280x720 -r 15 -i - -i "$gif" -lavfi \
            "[1:v]settb=1/15,setpts=N,format=rgb24[gif];[0:v]settb=1/15,setpts=N[clip];[gif][clip]ssim" \
            -f null - 2>&1 | sed -n 's/.*SSIM .* All:\([0-9.]*\).*/\1/p'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-28s %9s %12s %8s\n' "way" "seconds" "bytes" "SSIM"
for way in "ffmpeg default:tool" "High quality colours:colours" "our encoder, 100:100" \
           "our encoder, 70:70"; do
    name=${way%%:*} mode=${way##*:}
    gif=$work/$mode.gif
    seconds=$(for _ in $(seq "$runs"); do "$bin/encode-video" --fps 15 "$mode" "$clip" "$gif"; done | median)
    if [ "$mode" = tool ]; then selection=(-r 15 -vsync vfr); else selection=(-vf fps=15); fi
    printf '%-28s %9s %12s %8s\n' "$name" "$seconds" "$(stat -c %s "$gif")" \
        "$(ssim "$gif" "${selection[@]}")"
done
