#include "encoder/colourcelltable.h"

#include <cstdlib>
#include <cstring>

namespace {

const int CellBits = 3;                       // cubes of 8 values a side
const int CellsPerSide = 256 >> CellBits;
const int CellCount = CellsPerSide * CellsPerSide * CellsPerSide;
const int MostCandidates = 255;
const int AnswerBits = 16;
const int AnswerSlots = 1 << AnswerBits;

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
        // Written always, kept only when it counts: no jump to guess wrong.
        list[count] = (unsigned char)e;
        count += nearest[e] <= limit;
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

// The walk's answer from the candidates listed for the colour's cube.
int searchCells(ColourCellTable *table, int red, int green, int blue)
{
    const int cell = ((red >> CellBits) * CellsPerSide + (green >> CellBits)) * CellsPerSide
                     + (blue >> CellBits);
    if (table->cellFrame[cell] != table->frame)
        makeCell(table, cell, red, green, blue);
    const FramePalette *palette = table->palette;
    const int count = table->counts[cell];
    const unsigned char *list = table->candidates + size_t(cell) * MostCandidates;

    // Branch-free: the smallest and second smallest (difference, entry) pair, packed so
    // that one comparison orders them.
    uint32_t lowest = 0xFFFFFFFFu;
    uint32_t second = 0xFFFFFFFFu;
    for (int k = 0; k < count; ++k) {
        const int e = list[k];
        const int difference = entryDifference(palette, e, red, green, blue);
        const uint32_t key = uint32_t(difference) << 8 | uint32_t(e);
        const uint32_t displaced = key > lowest ? key : lowest;
        second = displaced < second ? displaced : second;
        lowest = key < lowest ? key : lowest;
    }
    const int best = int(lowest >> 8);
    int found = int(lowest & 0xFF);
    const bool tie = int(second >> 8) == best;
    if (tie) {
        // Every entry at the smallest difference is listed; the walk takes the first it meets.
        for (int k = 0; k < count; ++k) {
            const int e = list[k];
            if (entryDifference(palette, e, red, green, blue) == best && e != found
                && walkReachesFirst(palette, red, green, blue, e, found))
                found = e;
        }
    }
    return found;
}

} // namespace

bool allocateColourCellTable(ColourCellTable *table)
{
    memset(table, 0, sizeof(*table));
    table->cellFrame = static_cast<uint32_t *>(calloc(CellCount, sizeof(uint32_t)));
    table->counts = static_cast<unsigned char *>(malloc(CellCount));
    table->candidates = static_cast<unsigned char *>(malloc(size_t(CellCount) * MostCandidates));
    table->answers = static_cast<uint64_t *>(calloc(AnswerSlots, sizeof(uint64_t)));
    if (table->cellFrame && table->counts && table->candidates && table->answers)
        return true;
    releaseColourCellTable(table);
    return false;
}

void releaseColourCellTable(ColourCellTable *table)
{
    free(table->cellFrame);
    free(table->counts);
    free(table->candidates);
    free(table->answers);
    memset(table, 0, sizeof(*table));
}

void startColourCellFrame(ColourCellTable *table, const FramePalette *palette)
{
    table->frame++;
    if (table->frame == 0) {
        // The counter wrapped: forget every list rather than trust an old one.
        memset(table->cellFrame, 0, CellCount * sizeof(uint32_t));
        memset(table->answers, 0, AnswerSlots * sizeof(uint64_t));
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
    const uint32_t colour = uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
    const uint64_t key = uint64_t(table->frame) << 32 | colour;
    uint64_t *answer = table->answers + ((colour * 2654435761u) >> (32 - AnswerBits));
    if ((*answer & ~uint64_t(0xFF000000u)) == key)
        return int((*answer >> 24) & 0xFF);
    const int found = searchCells(table, red, green, blue);
    *answer = key | uint64_t(found) << 24;
    return found;
}
