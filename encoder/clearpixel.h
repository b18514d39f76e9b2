#ifndef CLEARPIXEL_H
#define CLEARPIXEL_H

// A GIF has no half-transparent pixels: a pixel whose alpha is below half is clear (the
// viewer shows what lies behind the GIF there), any other pixel is opaque at its colour.
// The encoder, the frames a job composes and the images page's preview all decide it here.
inline bool isClearAlpha(int alpha)
{
    return alpha < 128;
}

#endif
