#ifndef GIFFILESTATE_H
#define GIFFILESTATE_H

#include "encoder/colourcelltable.h"
#include "encoder/framewrite.h"
#include "encoder/lzwdictionary.h"

#include <cstdio>

class FrameHelperThread;
class SubtreeQueue;
struct QualityState;

// One GIF file being written, from openGifStream to closeGifStream. Every buffer of the
// run is allocated when the file is opened, so that frames allocate nothing.
struct GifFileState
{
    FILE *outputFile;             // null when opening failed or after closing
    // The header's bytes and those of the frames whose writes are known to be done when the
    // last frame started: the same on every run, whatever the helper thread's pace.
    long long settledBytes;
    int settledFrames;
    // Per canvas pixel (y * canvasWidth + x), 4 bytes: red, green, blue of what a viewer
    // shows there after the last frame, and the palette index that frame encoded for it
    // (in a smaller file and below level 100: the last frame that drew the pixel).
    unsigned char *previousFrame;
    // Only in a smaller file and below level 100, else null: per canvas pixel, 4 bytes, the
    // red, green and blue of the picture last given there, exact. In a smaller file a pixel
    // whose picture stays is not written.
    unsigned char *picture;
    // Per canvas row, how many pixels from the left some frame has drawn. Frames sit at
    // (0, 0), so the drawn area is a staircase and this describes it exactly; pixels
    // outside it have never been shown and always count as changed. With alpha, every row
    // is whole from the start: shownClear tells the pixels never drawn.
    int *coveredWidth;
    // Only with alpha (GifOptions), else null: per canvas pixel, ShownClear while the viewer
    // shows it clear (never drawn, or cleared), ShownColour while it shows the colour in
    // previousFrame; while a frame is encoded, DrawnOverClear where it draws a pixel shown
    // clear before (see clearpixel.h).
    unsigned char *shownClear;
    // Only with alpha: canvas * 4 bytes, the frame as the palette and the mapping see it
    // (see prepareClearFrame).
    unsigned char *prepared;
    // With alpha, the write of the last frame waits here (its index in writes, else -1) until
    // the next frame tells how the viewer must dispose of it.
    int heldWrite;
    int canvasWidth;
    int canvasHeight;
    bool firstFrame;              // true until the first frame has been encoded

    unsigned char *work;          // canvas * 4 bytes: the pixels the palette is built from
    // Canvas-sized index buffers, one per frame in flight: a frame's indices wait in one
    // for the LZW coder while the next frame is mapped into the other.
    unsigned char *indexPlanes[2];
    FrameWrite writes[2];
    int nextWrite;                // which of the two the next frame uses
    LzwDictionary dictionary;
    // One table per thread that maps pixels: this one and the helper.
    ColourCellTable cellTables[2];
    FrameHelperThread *helper;    // null on a single core: everything runs here
    SubtreeQueue *subtrees;       // the palette's subtrees, shared with the helper
    QualityState *quality;        // below level 100, else null
};

#endif
