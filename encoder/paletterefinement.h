#ifndef PALETTEREFINEMENT_H
#define PALETTEREFINEMENT_H

#include "encoder/colourcelltable.h"
#include "encoder/framearea.h"
#include "encoder/framepalette.h"

#include <cstddef>

// How many of a frame's pixels the refinement looks at, at most: enough for every entry to
// find its mean well; more only cost time.
const size_t RefineSamples = 1 << 14;

// A pixel the refinement looks at: its colour, and the same in eye space.
struct RefineSample
{
    unsigned char rgb[3];
    unsigned char eye[3];
};

// Improves a palette made by the median split in eye space (eye, see eyespace.h): each pass
// moves every entry that is the nearest of some of the frame's marked pixels (an even
// sample of them, gathered into samples) to the mean of their colours, and entries that
// stand for none, or for the colour of another, to the pixel that the worst-fitting entry
// fits worst. The split only cuts colour space along its axes; the passes let entries
// settle where the pixels cluster, and give each the exact colour of a flat area it stands
// for. On return palette holds the colours to write and eye the same colours in eye space.
// The tree of the palette no longer leads to the nearest entry: search it with the cells,
// which work for any palette. marks holds a byte per frame pixel (width per row), not 0 for
// the n pixels that count, all inside area. Only entries 1 to used take part: the others
// keep what they hold.
void refinePalette(const unsigned char *rgba, const unsigned char *marks, int width,
                   FrameArea area, size_t n, int used, int passes, RefineSample *samples,
                   FramePalette *palette, FramePalette *eye, ColourCellTable *cells);

#endif
