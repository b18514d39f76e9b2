#ifndef GIFFILESTATE_H
#define GIFFILESTATE_H

#include <cstdio>

// One GIF file being written, from openGifStream to closeGifStream.
struct GifFileState
{
    FILE *outputFile;             // null when opening failed or after closing
    // Per canvas pixel (y * canvasWidth + x), 4 bytes: red, green, blue of what a viewer
    // shows there after the last frame, and the palette index that frame encoded for it.
    unsigned char *previousFrame;
    // Per canvas row, how many pixels from the left some frame has drawn. Frames sit at
    // (0, 0), so the drawn area is a staircase and this describes it exactly; pixels
    // outside it have never been shown and always count as changed.
    int *coveredWidth;
    int canvasWidth;
    int canvasHeight;
    bool firstFrame;              // true until the first frame has been encoded
    bool failed;                  // a buffer could not be allocated; the file is incomplete
};

#endif
