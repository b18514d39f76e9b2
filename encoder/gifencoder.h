#ifndef GIFENCODER_H
#define GIFENCODER_H

#include "encoder/colourcelltable.h"
#include "encoder/framearea.h"
#include "encoder/framepalette.h"
#include "encoder/giffilestate.h"
#include "encoder/lzwdictionary.h"

class SubtreeQueue;

// Writes animated GIF89a files: a palette of its own per frame, transparency for the
// pixels that already show the right colour, LZW coding. The operations are defined
// beside the steps they belong to: gifstreamwriter.cpp (file framing and LZW),
// palettebuilder.cpp (median split and k-d tree), pixelmapping.cpp (frame encoding).
// A frame's work is shared with the state's helper thread when there is one: subtrees of
// the palette and bands of rows, taken by whichever thread is free, and the LZW coding,
// which runs while the next frame is prepared.
struct GifEncoder
{
    int transparentIndex = 0;    // the palette index that means "keep what is shown"

    // Encodes one RGBA frame (width * height * 4 bytes, rows without gaps; the 4th byte is
    // ignored unless the file was opened with GifOptions::alpha, see clearframe.h) placed
    // at (0, 0) of the canvas. A smaller file (see openGifStream) gets only
    // the rectangle that holds the pixels whose picture changed, or one transparent pixel
    // with a table of 4 colours when none did. Below level 100 (GifOptions::quality) the
    // steps of qualityframe.h take the place of the palette and the mapping below, and the
    // frame is cropped in the same way. Returns false, writing nothing, when the state has
    // no open file, the frame is empty or does not fit the canvas (with alpha: is not as
    // large as the canvas), or depth is not 2 to 8.
    // previousFrame is up to date on return; the frame's bytes may still be on their way
    // to the file (closeGifStream waits for them, gifStreamHasError reports their errors).
    bool encodeFrame(GifFileState *state, const unsigned char *rgba, int width, int height,
                     int delay, int depth) const;

    // Writes one complete frame: graphic control extension (with the disposal method: 1
    // leaves the frame in place, 2 clears its rectangle once it has been shown), image
    // descriptor, local colour table and LZW data. indices holds one palette index per
    // pixel, from the frame's top-left pixel, rows indexStride bytes apart. The dictionary
    // is cleared first, and again (with a clear code) at the start of row restartRow when
    // that is one of the frame's rows but the first; it must have room for the frame
    // (encodeFrame only passes frames that fit the canvas).
    void writeFrameBlocks(FILE *out, const unsigned char *indices, int indexStride, int left,
                          int top, int width, int height, int delay,
                          const FramePalette *palette, LzwDictionary *dictionary,
                          int disposal = 1, int restartRow = -1) const;

    // Fills the palette (entries 1 to 2^depth - 1 and the tree) from the frame's pixels that
    // differ from prev (what is shown, or in a smaller file the pictures so far); prev null
    // means the first frame, where all pixels count. prev and coveredWidth describe the
    // canvas (canvasWidth pixels per row). work holds width * height pixels. changed
    // receives the smallest rectangle that holds the pixels taken. With a helper, subtrees
    // are shared out through the queue and the helper is left with a task that the caller
    // must wait for before the next frame. Returns the number of pixels taken.
    size_t buildPalette(const unsigned char *prev, const int *coveredWidth, int canvasWidth,
                        const unsigned char *rgba, int width, int height, int depth,
                        FramePalette *palette, unsigned char *work, FrameArea *changed,
                        FrameHelperThread *helper, SubtreeQueue *subtrees) const;

    // Searches the tree from node for the entry nearest to the colour (sum of absolute
    // differences), updating bestIndex and bestDifference where it finds a strictly
    // closer entry. Never returns the transparent entry.
    void nearestPaletteEntry(const FramePalette *palette, int red, int green, int blue,
                             int *bestIndex, int *bestDifference, int node) const;

    // Maps the frame pixels inside area: writes into out (canvas-wide, canvasWidth pixels
    // per row) for every pixel the colour now shown and its palette index, and the index
    // alone into indices (width per row): the transparent index where prev already shows
    // the exact colour, the nearest entry otherwise. prev may be out itself. With picture
    // (a smaller file) the test is against picture instead, out keeps what it shows where
    // the pixel is transparent, and picture takes the new colours. cells, when not null,
    // answers the search wherever it can.
    void mapToPalette(const unsigned char *prev, const int *coveredWidth, int canvasWidth,
                      const unsigned char *rgba, unsigned char *out, unsigned char *picture,
                      unsigned char *indices, int width, FrameArea area,
                      const FramePalette *palette, ColourCellTable *cells) const;
};

#endif
