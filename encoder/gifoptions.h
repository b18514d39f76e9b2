#ifndef GIFOPTIONS_H
#define GIFOPTIONS_H

// How a GIF is encoded, beyond its frames: fixed for the whole file when it is opened.
struct GifOptions
{
    // Frames write only what changed in the pictures they are given (see
    // GifEncoder::encodeFrame) instead of every pixel that differs from what is shown:
    // much smaller for screen recordings.
    bool smallerFile = false;
    // How many times viewers play the frames: 0 for ever, 1 once (no looping extension), n
    // plays n times (the extension asks for n - 1 repeats after the first play, as viewers
    // count them; at most 65536 plays).
    int playCount = 0;
    // 1 to 100: below 100 the encoder spends quality for bytes where a viewer notices
    // least; 100 writes every pixel as exactly as the palette allows.
    int quality = 100;
    // The 4th byte of each frame is alpha: a pixel whose alpha is below half is clear
    // (isClearAlpha), and the viewer shows what lies behind the GIF there, even where an
    // earlier frame showed a colour. Frames must then be as large as the canvas. Off, the
    // 4th byte is ignored and every pixel is opaque. Opaque frames as large as the canvas
    // give the same bytes either way; off costs less.
    bool alpha = false;
};

#endif
