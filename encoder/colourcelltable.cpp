#include "encoder/colourcelltable.h"

#include <cstdlib>
#include <cstring>

namespace {

const int CellBits = 3;                       // cubes of 8 values a side
const int CellsPerSide = 256 >> CellBits;
const int CellCount = CellsPerSide * CellsPerSide * CellsPerSide;
const int MostCandidates = 255;

int absolute(int value)
{
    return value < 0 ? -value : value;
}

int largest(int a, int b)
{
    return a > b ? a : b;
}

// Lists the entries that can be nearest to some colour of the cube. Any colour of the cube
// is at most limit away from the entry with the smallest farthest distance, so an entry
// nearer to it than another cannot start farther than limit from the cube. The loops over
// the entries are plain so that the compiler can vectorise them.
void makeCell(ColourCellTable *table, int cell, int red, int green, int blue)
{
    const FramePalette *palette = table->palette;
    const int entries = 1 << palette->depth;
    const int mask = ~((1 << CellBits) - 1);
    const int side = (1 << CellBits) - 1;
    const int lowRed = red & mask, lowGreen = green & mask, lowBlue = blue & mask;
    const int highRed = lowRed + side, highGreen = lowGreen + side, highBlue = lowBlue + side;

    int limit = 1 << 30;
    for (int e = 1; e < entries; ++e) {
        const int r = palette->red[e], g = palette->green[e], b = palette->blue[e];
        const int farthest = largest(r - lowRed, highRed - r) + largest(g - lowGreen, highGreen - g)
                             + largest(b - lowBlue, highBlue - b);
        limit = farthest < limit ? farthest : limit;
    }
    int nearest[256];
    for (int e = 1; e < entries; ++e) {
        const int r = palette->red[e], g = palette->green[e], b = palette->blue[e];
        nearest[e] = largest(largest(lowRed - r, r - highRed), 0)
                     + largest(largest(lowGreen - g, g - highGreen), 0)
                     + largest(largest(lowBlue - b, b - highBlue), 0);
    }

    unsigned char *list = table->candidates + size_t(cell) * MostCandidates;
    int count = 0;
    for (int e = 1; e < entries; ++e) {
        if (nearest[e] <= limit)
            list[count++] = (unsigned char)e;
    }
    table->counts[cell] = (unsigned char)count;
    table->cellFrame[cell] = table->frame;
}

// True when the tree walk for the colour reaches entry a before entry b: at the node where
// their paths part, the walk goes first to the side the colour lies on.
bool walkReachesFirst(const FramePalette *palette, int red, int green, int blue, int a, int b)
{
    const int entries = 1 << palette->depth;
    int nodeA = a + entries;
    int nodeB = b + entries;
    while ((nodeA >> 1) != (nodeB >> 1)) {
        nodeA >>= 1;
        nodeB >>= 1;
    }
    const int parting = nodeA >> 1;
    const int axis = palette->splitAxis[parting];
    const int c = axis == 0 ? red : (axis == 1 ? green : blue);
    const bool leftFirst = palette->splitValue[parting] > c;
    return ((nodeA & 1) == 0) == leftFirst;
}

} // namespace

bool allocateColourCellTable(ColourCellTable *table)
{
    memset(table, 0, sizeof(*table));
    table->cellFrame = static_cast<uint32_t *>(calloc(CellCount, sizeof(uint32_t)));
    table->counts = static_cast<unsigned char *>(malloc(CellCount));
    table->candidates = static_cast<unsigned char *>(malloc(size_t(CellCount) * MostCandidates));
    if (table->cellFrame && table->counts && table->candidates)
        return true;
    releaseColourCellTable(table);
    return false;
}

void releaseColourCellTable(ColourCellTable *table)
{
    free(table->cellFrame);
    free(table->counts);
    free(table->candidates);
    memset(table, 0, sizeof(*table));
}

void startColourCellFrame(ColourCellTable *table, const FramePalette *palette)
{
    table->frame++;
    if (table->frame == 0) {
        // The counter wrapped: forget every list rather than trust an old one.
        memset(table->cellFrame, 0, CellCount * sizeof(uint32_t));
        table->frame = 1;
    }
    table->palette = palette;
}

bool paletteFullyBuilt(int depth, unsigned long long n)
{
    return n >= (1ull << depth) - 1;
}

int nearestFromCells(ColourCellTable *table, int red, int green, int blue)
{
    const int cell = ((red >> CellBits) * CellsPerSide + (green >> CellBits)) * CellsPerSide
                     + (blue >> CellBits);
    if (table->cellFrame[cell] != table->frame)
        makeCell(table, cell, red, green, blue);
    const FramePalette *palette = table->palette;
    const int count = table->counts[cell];
    const unsigned char *list = table->candidates + size_t(cell) * MostCandidates;

    int best = 1 << 30;
    int found = 0;
    bool tie = false;
    for (int k = 0; k < count; ++k) {
        const int e = list[k];
        const int difference = absolute(red - palette->red[e]) + absolute(green - palette->green[e])
                               + absolute(blue - palette->blue[e]);
        if (difference < best) {
            best = difference;
            found = e;
            tie = false;
        } else if (difference == best) {
            tie = true;
        }
    }
    if (tie) {
        // Every entry at the smallest difference is listed; the walk takes the first it meets.
        for (int k = 0; k < count; ++k) {
            const int e = list[k];
            const int difference = absolute(red - palette->red[e])
                                   + absolute(green - palette->green[e])
                                   + absolute(blue - palette->blue[e]);
            if (difference == best && e != found
                && walkReachesFirst(palette, red, green, blue, e, found))
                found = e;
        }
    }
    return found;
}
