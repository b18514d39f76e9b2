#ifndef FRAMEDELAY_H
#define FRAMEDELAY_H

// Frame rates a GIF of images can be made at, in frames per second.
const int MinFrameRate = 1;
const int MaxFrameRate = 50;

// Viewers show a frame of delay 0 or 1 for a tenth of a second: no shorter delay is written.
const int MinFrameDelay = 2;

// The delay of frame index (from 0) at a frame rate, in hundredths of a second. A GIF counts
// whole hundredths, so a rate that does not divide 100 gives two neighbouring delays in
// turn: frame i ends at 100 * (i + 1) / fps rounded down, within one hundredth of the exact
// time (30 fps: 3, 3, 4, 3, 3, 4, ..., 30 frames in 100). A rate that divides 100 gives
// 100 / fps to every frame. Never below MinFrameDelay.
int delayOfFrame(int fps, int index);

// The delay a frame rate gives a frame on average, rounded to the nearest hundredth, at
// least MinFrameDelay: for what only needs one delay (a still preview).
int delayForFrameRate(int fps);

#endif
