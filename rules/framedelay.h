#ifndef FRAMEDELAY_H
#define FRAMEDELAY_H

// Frame rates a GIF of images can be made at, in frames per second.
const int MinFrameRate = 1;
const int MaxFrameRate = 50;

// The delay of each frame for a frame rate, in hundredths of a second: 100 / fps rounded to
// the nearest whole hundredth, at least 2 (viewers slow down faster GIFs).
int delayForFrameRate(int fps);

// The delay of frame index (from 0) of a clip taken at fps, in hundredths of a second: the
// delays are rounded so that together they last as long as the clip (at 15 frames a second
// 7, 6, 7, 7, 6, 7, ...). At least 2 for rates up to 50.
int clipFrameDelay(int index, int fps);

#endif
