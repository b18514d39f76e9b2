#ifndef FRAMEDELAY_H
#define FRAMEDELAY_H

// Frame rates a GIF of images can be made at, in frames per second.
const int MinFrameRate = 1;
const int MaxFrameRate = 50;

// The delay of each frame for a frame rate, in hundredths of a second: 100 / fps rounded to
// the nearest whole hundredth, at least 2 (viewers slow down faster GIFs).
int delayForFrameRate(int fps);

#endif
