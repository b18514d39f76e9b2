#ifndef GIFOPTIONS_H
#define GIFOPTIONS_H

// How a GIF is encoded, beyond its frames: fixed for the whole file when it is opened.
struct GifOptions
{
    // Frames write only what changed in the pictures they are given (see
    // GifEncoder::encodeFrame) instead of every pixel that differs from what is shown:
    // much smaller for screen recordings.
    bool smallerFile = false;
    // How many times viewers play the frames; 0 for ever.
    int playCount = 0;
    // 1 to 100: below 100 the encoder spends quality for bytes where a viewer notices
    // least; 100 writes every pixel as exactly as the palette allows.
    int quality = 100;
};

#endif
