#ifndef FRAMEWRITE_H
#define FRAMEWRITE_H

#include "encoder/framepalette.h"
#include "encoder/lzwdictionary.h"

#include <cstdio>

class FrameHelperThread;
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
    int disposal;               // what the viewer does with the frame before the next: 1 or 2
    FramePalette palette;
    LzwDictionary *dictionary;
    int restartRow;             // where the coder's table starts again (see writeFrameBlocks)
    int ticket;                 // the helper's ticket for this write; 0 when written
};

// Hands the write to the helper (or does it at once without one) and records its ticket.
void postFrameWrite(FrameHelperThread *helper, FrameWrite *write);

#endif
