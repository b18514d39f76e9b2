#ifndef FRAMEWRITE_H
#define FRAMEWRITE_H

#include "encoder/framepalette.h"
#include "encoder/lzwdictionary.h"

#include <cstdio>

struct GifEncoder;

// One frame waiting to be written (colour table and LZW data) while the next one is
// mapped. It owns the palette it writes; the indices are one byte per pixel, rows
// indexStride apart, in a buffer that the next frame leaves alone. The frame sits at
// (left, top) of the canvas.
struct FrameWrite
{
    const GifEncoder *encoder;
    FILE *out;
    const unsigned char *indices;
    int indexStride;
    int left;
    int top;
    int width;
    int height;
    int delay;
    FramePalette palette;
    LzwDictionary *dictionary;
    int restartRow;             // where the coder's table starts again (see writeFrameBlocks)
    int ticket;                 // the helper's ticket for this write; 0 when written
};

#endif
