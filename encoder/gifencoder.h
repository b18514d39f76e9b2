#ifndef GIFENCODER_H
#define GIFENCODER_H

#include "encoder/framepalette.h"
#include "encoder/giffilestate.h"

#include <cstddef>

// Writes animated GIF89a files: a palette of its own per frame, transparency for the
// pixels that already show the right colour, LZW coding. The operations are defined
// beside the steps they belong to: gifstreamwriter.cpp (file framing and LZW),
// palettebuilder.cpp (median split and k-d tree), pixelmapping.cpp (frame encoding).
struct GifEncoder
{
    int transparentIndex = 0;    // the palette index that means "keep what is shown"

    // Encodes one RGBA frame (width * height * 4 bytes, rows without gaps; the 4th byte is
    // ignored) at (0, 0) of the canvas. Returns false, writing nothing, when the state has
    // no open file, the frame is empty or does not fit the canvas, or depth is not 2 to 8;
    // also false when a buffer could not be allocated (the state is then marked failed).
    bool encodeFrame(GifFileState *state, const unsigned char *rgba, int width, int height,
                     int delay, int depth) const;

    // Writes one complete frame: graphic control extension, image descriptor, local colour
    // table and LZW data. indexFrame points at the frame's top-left pixel, 4 bytes per
    // pixel with the palette index in the 4th, rows indexStride pixels apart.
    // Returns false, writing nothing, when the LZW dictionary cannot be allocated.
    bool writeFrameBlocks(FILE *out, const unsigned char *indexFrame, int indexStride,
                          int left, int top, int width, int height, int delay,
                          const FramePalette *palette) const;

    // Fills the palette (entries 1 to 2^depth - 1 and the tree) from the frame's pixels that
    // differ from what is shown; prev null means the first frame, where all pixels count.
    // prev and coveredWidth describe the canvas (canvasWidth pixels per row).
    // Returns false when its work copy cannot be allocated.
    bool buildPalette(const unsigned char *prev, const int *coveredWidth, int canvasWidth,
                      const unsigned char *rgba, int width, int height, int depth,
                      FramePalette *palette) const;

    // Searches the tree from node for the entry nearest to the colour (sum of absolute
    // differences), updating bestIndex and bestDifference where it finds a strictly
    // closer entry. Never returns the transparent entry.
    void nearestPaletteEntry(const FramePalette *palette, int red, int green, int blue,
                             int *bestIndex, int *bestDifference, int node) const;

    // Writes into out (canvas-wide, canvasWidth pixels per row) for every frame pixel the
    // colour now shown and its palette index: the transparent index where prev already
    // shows the exact colour, the nearest entry otherwise. prev may be out itself.
    void mapToPalette(const unsigned char *prev, const int *coveredWidth, int canvasWidth,
                      const unsigned char *rgba, unsigned char *out, int width, int height,
                      const FramePalette *palette) const;
};

#endif
