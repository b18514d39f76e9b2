#ifndef CLEARPIXEL_H
#define CLEARPIXEL_H

// A GIF has no half-transparent pixels: a pixel whose alpha is below half is clear (the
// viewer shows what lies behind the GIF there), any other pixel is opaque at its colour.
// The encoder, the frames a job composes and the images page's preview all decide it here.
inline bool isClearAlpha(int alpha)
{
    return alpha < 128;
}

// What the viewer shows at a canvas pixel, as GifFileState::shownClear tells it. A pixel
// that was clear and that the frame being encoded draws must not keep what is shown (index
// 0) at any quality level, however near the colour previousFrame holds there.
enum ShownPixel : unsigned char { ShownColour = 0, ShownClear = 1, DrawnOverClear = 2 };

#endif
