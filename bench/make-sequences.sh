#!/bin/bash
# Makes the bench's generated sequences in WORK_DIR, each a folder of numbered PNG frames,
# skipping those already there: pan (a 1280 x 720 window moving over a plasma fractal, 60
# frames), pan1080 (the same at 1920 x 1080, 30 frames), zoom (a fractal zoom, 640 x 360),
# screen (a screen recording: an editor window dragged over a desktop while a line is typed)
# and camera (a shaking, grainy camera-like scene).
# Usage: bench/make-sequences.sh WORK_DIR
# Needs ffmpeg, ImageMagick and the DejaVu fonts.
set -euo pipefail
mkdir -p "$1"
cd "$1"
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
