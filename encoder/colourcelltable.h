#ifndef COLOURCELLTABLE_H
#define COLOURCELLTABLE_H

#include "encoder/framepalette.h"

#include <cstdint>

// A shortcut for the nearest-colour search that gives the tree walk's answer. Colour space
// is cut into cubes of 8 values a side; for a cube, the first time a pixel of the frame
// falls into it, the table lists the palette entries that can be nearest to any colour
// inside it. A pixel then only measures those. This only holds while every entry lies on
// its side of each split of the tree, that is when every entry got pixels (see
// paletteFullyBuilt); then the walk finds the nearest entry, and when exactly one entry
// is nearest, that entry is the walk's answer; among entries that tie, the walk takes the
// one it meets first. Each thread that maps pixels has a table of its own.
struct ColourCellTable
{
    uint32_t *cellFrame;       // per cube: the frame its list belongs to (0 = none yet)
    unsigned char *counts;     // per cube: number of candidates
    unsigned char *candidates; // per cube: 255 places for the entries listed
    // Answers already given this frame, by colour: frame << 32 | entry << 24 | colour in
    // each slot. Drawn content repeats its colours a lot; photos rarely do.
    uint64_t *answers;
    uint32_t frame;            // the frame being mapped, from 1 up
    const FramePalette *palette;
};

bool allocateColourCellTable(ColourCellTable *table);
void releaseColourCellTable(ColourCellTable *table);

// Starts a frame: every list made for an earlier palette is stale from now on.
void startColourCellFrame(ColourCellTable *table, const FramePalette *palette);

// True when the median split gave pixels to every entry of a palette built from n pixels:
// each side of a split gets at least as many pixels as entries once n reaches their count.
bool paletteFullyBuilt(int depth, unsigned long long n);

// The entry the tree walk would find for the colour (never 0).
int nearestFromCells(ColourCellTable *table, int red, int green, int blue);

#endif
