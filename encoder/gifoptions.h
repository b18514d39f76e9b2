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
    // The quality level, 1 to 100. 100 writes every changed pixel in the nearest colour of
    // its frame's palette; below, the encoder keeps what is shown where the picture changed
    // too little to see, builds better palettes of fewer colours and lets LZW strings run on
    // over near colours (see qualityframe.h): the lower the level, the smaller the file.
    // Smaller file holds at every level.
    int quality = 100;
    // The 4th byte of each frame is alpha: a pixel whose alpha is below half is clear
    // (isClearAlpha), and the viewer shows what lies behind the GIF there, even where an
    // earlier frame showed a colour. Frames must then be as large as the canvas. Off, the
    // 4th byte is ignored and every pixel is opaque. Opaque frames as large as the canvas
    // give the same bytes either way; off costs less.
    bool alpha = false;
};

#endif
