#ifndef COLOURCELLTABLE_H
#define COLOURCELLTABLE_H

#include "encoder/framepalette.h"

#include <cstdint>

// Up to 8 candidates of a cube side by side; places past the list's end hold padding
// (entry 0, a colour farther than any entry).
struct ColourCellGroup
{
    short red[8];
    short green[8];
    short blue[8];
    unsigned char entry[8];
    unsigned char unused[8]; // makes a group 64 bytes, the size of a cache line
};

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
    // Per cube: where its list starts in groups << 8 | how many groups it has; 0 while it
    // has none this frame.
    uint32_t *cells;
    ColourCellGroup *groups;
    uint32_t groupsEnd;
    // Per parent cube of 32 values a side: where its list starts in parentLists, 0 while it
    // has none this frame. A list is a count n, then n entries, their n reds, n greens and
    // n blues, so that its cubes' lists are made from plain rows of colours.
    uint32_t *parents;
    unsigned char *parentLists;
    uint32_t parentListsEnd;
    // Answers already given this frame, by colour: entry << 24 | colour in each slot, 0 when
    // empty (entry 0 is never an answer). Drawn content repeats its colours a lot; photos
    // rarely do, and there looking up and keeping answers costs more than it saves: they
    // are used only while they pay (see reviewAnswers).
    uint32_t *answers;
    bool answering;
    int bandsWithoutAnswers;
    const FramePalette *palette;
};

bool allocateColourCellTable(ColourCellTable *table);
void releaseColourCellTable(ColourCellTable *table);

// Starts a frame: every list and answer made for an earlier palette is forgotten.
void startColourCellFrame(ColourCellTable *table, const FramePalette *palette);

// True when the median split gave pixels to every entry of a palette built from n pixels:
// each side of a split gets at least as many pixels as entries once n reaches their count.
bool paletteFullyBuilt(int depth, unsigned long long n);

const int ColourAnswerBits = 16;
const int ColourAnswerSlots = 1 << ColourAnswerBits;

inline uint32_t colourAnswerSlot(uint32_t colour)
{
    return (colour * 2654435761u) >> (32 - ColourAnswerBits);
}

// The entry the tree walk would find for the colour (never 0), from the cube lists alone.
int searchColourCells(ColourCellTable *table, int red, int green, int blue);

// What answers did over a band of rows: lookups made and how many found an answer.
struct AnswerCount
{
    uint32_t lookups;
    uint32_t found;
};

// The entry the tree walk would find for the colour (never 0). While answers are in use,
// a colour already answered is not searched again: that check stays inline, and light.
inline int nearestFromCells(ColourCellTable *table, int red, int green, int blue,
                            AnswerCount *count)
{
    if (!table->answering)
        return searchColourCells(table, red, green, blue);
    const uint32_t colour = uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
    uint32_t *slot = table->answers + colourAnswerSlot(colour);
    const uint32_t stored = *slot ^ colour;
    count->lookups++;
    if (stored >> 24 && !(stored & 0xFFFFFFu)) {
        count->found++;
        return int(stored >> 24);
    }
    const int entry = searchColourCells(table, red, green, blue);
    *slot = colour | uint32_t(entry) << 24;
    return entry;
}

// Called after each band of rows a thread maps: answers stay in use while at least every
// other lookup finds one; without them, every 8th band tries them again.
void reviewAnswers(ColourCellTable *table, AnswerCount count);

#endif
