#ifndef GIFOPTIONS_H
#define GIFOPTIONS_H

// How a GIF is encoded, beyond its frames: fixed for the whole file when it is opened.
struct GifOptions
{
    // Frames write only what changed in the pictures they are given (see
    // GifEncoder::encodeFrame) instead of every pixel that differs from what is shown:
    // much smaller for screen recordings.
    bool smallerFile = false;
    // The quality level, 1 to 100. 100 writes every changed pixel in the nearest colour of
    // its frame's palette; below, the encoder keeps what is shown where the picture changed
    // too little to see, builds better palettes of fewer colours and lets LZW strings run on
    // over near colours (see qualityframe.h): the lower the level, the smaller the file.
    // Smaller file holds at every level.
    int quality = 100;
};

#endif
