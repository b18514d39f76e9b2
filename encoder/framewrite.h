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
    long bytes;                 // what the write added to the file, once written; 0 after
                                // settleFrameWrite has counted it
};

// Hands the write to the helper (or does it at once without one) and records its ticket.
void postFrameWrite(FrameHelperThread *helper, FrameWrite *write);

// Waits until the write is done and counts its bytes into *settledBytes and *settledFrames,
// once.
void settleFrameWrite(FrameHelperThread *helper, FrameWrite *write, long long *settledBytes,
                      int *settledFrames);

#endif
