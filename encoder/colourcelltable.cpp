#include "encoder/colourcelltable.h"
#include "encoder/bitmask.h"
#include "encoder/simdsupport.h"

#include <cstdlib>
#include <cstring>

// Out of line: kept for the rare case, so that the common one stays small.
#ifdef _MSC_VER
#define NEVER_INLINE __declspec(noinline)
#else
#define NEVER_INLINE __attribute__((noinline))
#endif

namespace {

const int CellBits = 3;                      // cubes of 8 values a side
const int CellsPerSide = 256 >> CellBits;
const int CellCount = CellsPerSide * CellsPerSide * CellsPerSide;
const int ParentBits = 5;                    // parent cubes of 32 values a side
const int ParentsPerSide = 256 >> ParentBits;
const int ParentCount = ParentsPerSide * ParentsPerSide * ParentsPerSide;
// Room for every parent list of a frame: a count and at most 255 entries with their colours.
const size_t ParentListsSize = size_t(ParentCount) * 1021 + 1;
// Room for the cubes' lists: a group each on average, and a spare list for when it is full.
const uint32_t GroupRoom = CellCount;
const int MostGroups = (255 + 7) / 8;
const size_t GroupsSize = (GroupRoom + MostGroups) * sizeof(ColourCellGroup);
// Padding in a group: farther than any entry from every colour.
const short FarAway = -300;
// Lists of up to 32 candidates are measured all at once.
const int MostGroupsAtOnce = 4;

// Keeps, of the n colours red[k], green[k], blue[k] named entry[k], those that can be
// nearest to some colour of the cube from low to low + side on each channel, and writes
// their names to kept. Any colour of the cube is at most limit away from the colour with
// the smallest farthest distance, so a colour nearer to it than another cannot start
// farther than limit from the cube. When the n colours are every entry that can be nearest
// somewhere in a larger cube around this one, the colour that sets the limit is among them
// and so is every colour kept: the same list as from the whole palette. Distances fit in
// 16 bits and the loops are plain, so that the compiler can work on 8 colours at a time.
int keepNearest(const unsigned char *red, const unsigned char *green, const unsigned char *blue,
                const unsigned char *entry, int n, int lowRed, int lowGreen, int lowBlue,
                int side, unsigned char *kept)
{
    const short lowR = short(lowRed), lowG = short(lowGreen), lowB = short(lowBlue);
    const short highR = short(lowRed + side), highG = short(lowGreen + side),
                highB = short(lowBlue + side);
    short limit = 0x7FFF;
    for (int k = 0; k < n; ++k) {
        const short r = red[k], g = green[k], b = blue[k];
        const short farR = short(r - lowR) > short(highR - r) ? short(r - lowR) : short(highR - r);
        const short farG = short(g - lowG) > short(highG - g) ? short(g - lowG) : short(highG - g);
        const short farB = short(b - lowB) > short(highB - b) ? short(b - lowB) : short(highB - b);
        const short farthest = short(farR + farG + farB);
        limit = farthest < limit ? farthest : limit;
    }
    short nearest[256];
    for (int k = 0; k < n; ++k) {
        const short r = red[k], g = green[k], b = blue[k];
        short nearR = short(lowR - r) > short(r - highR) ? short(lowR - r) : short(r - highR);
        short nearG = short(lowG - g) > short(g - highG) ? short(lowG - g) : short(g - highG);
        short nearB = short(lowB - b) > short(b - highB) ? short(lowB - b) : short(b - highB);
        nearR = nearR > 0 ? nearR : short(0);
        nearG = nearG > 0 ? nearG : short(0);
        nearB = nearB > 0 ? nearB : short(0);
        nearest[k] = short(nearR + nearG + nearB);
    }
    int count = 0;
    for (int k = 0; k < n; ++k) {
        // Written always, kept only when it counts: no jump to guess wrong.
        kept[count] = entry[k];
        count += nearest[k] <= limit;
    }
    return count;
}

// Every entry in order, to name the palette's colours.
struct AllEntries
{
    unsigned char entry[256];
    AllEntries()
    {
        for (int i = 0; i < 256; ++i)
            entry[i] = (unsigned char)i;
    }
};
const AllEntries allEntries;

// A parent cube's list: a count n, then n entries, their n reds, n greens and n blues, so
// that its cubes' lists are made from plain rows of colours.
void makeParentList(const FramePalette *palette, int red, int green, int blue,
                    unsigned char *list)
{
    const int mask = ~((1 << ParentBits) - 1);
    const int n = keepNearest(palette->red + 1, palette->green + 1, palette->blue + 1,
                              allEntries.entry + 1, (1 << palette->depth) - 1, red & mask,
                              green & mask, blue & mask, (1 << ParentBits) - 1, list + 1);
    list[0] = (unsigned char)n;
    const unsigned char *entries = list + 1;
    for (int k = 0; k < n; ++k) {
        list[1 + n + k] = palette->red[entries[k]];
        list[1 + 2 * n + k] = palette->green[entries[k]];
        list[1 + 3 * n + k] = palette->blue[entries[k]];
    }
}

// The list of the colour's cube the first time a colour falls into it, made from its parent
// cube's list. Once the room for lists is full, it is made again for every colour, in a
// spare place. Kept out of line: the lookup of a list already made is the common case.
NEVER_INLINE const ColourCellGroup *makeCellList(ColourCellTable *table, int cell, int red, int green,
                                    int blue, int *groupCount)
{
    const int parent = ((red >> ParentBits) * ParentsPerSide + (green >> ParentBits))
                       * ParentsPerSide + (blue >> ParentBits);
    if (!table->parents[parent]) {
        table->parents[parent] = table->parentListsEnd;
        unsigned char *list = table->parentLists + table->parentListsEnd;
        makeParentList(table->palette, red, green, blue, list);
        table->parentListsEnd += 1 + 4 * list[0];
    }
    const unsigned char *from = table->parentLists + table->parents[parent];
    const int n = from[0];
    const int mask = ~((1 << CellBits) - 1);
    unsigned char kept[256];
    const int count = keepNearest(from + 1 + n, from + 1 + 2 * n, from + 1 + 3 * n, from + 1, n,
                                  red & mask, green & mask, blue & mask, (1 << CellBits) - 1,
                                  kept);
    const int groups = (count + 7) / 8;
    const bool room = table->groupsEnd + groups <= GroupRoom;
    ColourCellGroup *list = table->groups + (room ? table->groupsEnd : GroupRoom);
    const FramePalette *palette = table->palette;
    for (int k = 0; k < groups * 8; ++k) {
        ColourCellGroup *group = list + k / 8;
        const int e = k < count ? kept[k] : 0;
        group->red[k % 8] = k < count ? short(palette->red[e]) : FarAway;
        group->green[k % 8] = k < count ? short(palette->green[e]) : FarAway;
        group->blue[k % 8] = k < count ? short(palette->blue[e]) : FarAway;
        group->entry[k % 8] = (unsigned char)e;
    }
    if (room) {
        table->cells[cell] = table->groupsEnd << 8 | uint32_t(groups);
        table->groupsEnd += groups;
    }
    *groupCount = groups;
    return list;
}

// The list of the colour's cube and its number of groups.
inline const ColourCellGroup *cellList(ColourCellTable *table, int red, int green, int blue,
                                       int *groupCount)
{
    const int cell = ((red >> CellBits) * CellsPerSide + (green >> CellBits)) * CellsPerSide
                     + (blue >> CellBits);
    const uint32_t made = table->cells[cell];
    if (!made)
        return makeCellList(table, cell, red, green, blue, groupCount);
    *groupCount = int(made & 0xFF);
    return table->groups + (made >> 8);
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

#ifdef LUMORRA_SSE2

// The differences from the colour to the 8 places of the group, in 16-bit lanes.
static inline __m128i groupDifferences(const ColourCellGroup *group, __m128i red,
                                       __m128i green, __m128i blue)
{
    const __m128i *rows = reinterpret_cast<const __m128i *>(group);
    const auto distance = [](__m128i a, __m128i b) {
        return _mm_max_epi16(_mm_sub_epi16(a, b), _mm_sub_epi16(b, a));
    };
    return _mm_add_epi16(_mm_add_epi16(distance(_mm_loadu_si128(rows), red),
                                       distance(_mm_loadu_si128(rows + 1), green)),
                         distance(_mm_loadu_si128(rows + 2), blue));
}

// The smallest difference in any lane, in every lane.
static inline __m128i lowestLane(__m128i v)
{
    v = _mm_min_epi16(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
    v = _mm_min_epi16(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
    v = _mm_min_epi16(v, _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_shuffle_epi32(v, 0);
}

// The walk's answer from a list of more than 4 groups: every group is measured, then the
// entries at the smallest difference are taken in list order, ties going to the one the
// walk meets first. Long lists are rare in the exact palettes and common in those refined
// in eye space below level 100, whose entries lie close together.
static NEVER_INLINE int nearestOfLongList(const FramePalette *palette,
                                            const ColourCellGroup *list, int groupCount,
                                            int red, int green, int blue)
{
    const __m128i r = _mm_set1_epi16(short(red));
    const __m128i g = _mm_set1_epi16(short(green));
    const __m128i b = _mm_set1_epi16(short(blue));
    __m128i differences[MostGroups];
    __m128i lowest = _mm_set1_epi16(0x7FFF);
    for (int i = 0; i < groupCount; ++i) {
        differences[i] = groupDifferences(list + i, r, g, b);
        lowest = _mm_min_epi16(lowest, differences[i]);
    }
    const __m128i low = lowestLane(lowest);
    int found = 0;
    for (int i = 0; i < groupCount; ++i) {
        uint32_t places =
            uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(differences[i], low))) & 0x5555u;
        for (; places != 0; places &= places - 1) {
            const int e = list[i].entry[lowestSetBit(places) / 2];
            if (!found || walkReachesFirst(palette, red, green, blue, e, found))
                found = e;
        }
    }
    return found;
}

// The walk's answer from the candidates listed for the colour's cube. Lists of up to 4
// groups are measured at once; longer lists group by group.
int searchColourCells(ColourCellTable *table, int red, int green, int blue)
{
    int groupCount;
    const ColourCellGroup *list = cellList(table, red, green, blue, &groupCount);
    if (groupCount > MostGroupsAtOnce)
        return nearestOfLongList(table->palette, list, groupCount, red, green, blue);
    const __m128i r = _mm_set1_epi16(short(red));
    const __m128i g = _mm_set1_epi16(short(green));
    const __m128i b = _mm_set1_epi16(short(blue));
    // Places past the list's end are as far as padding.
    const __m128i far = _mm_set1_epi16(0x7FFF);
    // Most lists have one or two groups, as often one as the other: the second is measured
    // either way, and set far when it is not the list's, rather than guessed at. The group
    // after a list is always there to read: the next list's, or spare room.
    const __m128i d0 = groupDifferences(list, r, g, b);
    const __m128i d1 = _mm_or_si128(groupDifferences(list + 1, r, g, b),
                                    _mm_set1_epi16(short(groupCount > 1 ? 0 : 0x7FFF)));
    __m128i lowest = _mm_min_epi16(d0, d1);
    __m128i d2 = far;
    __m128i d3 = far;
    if (groupCount > 2) {
        d2 = groupDifferences(list + 2, r, g, b);
        d3 = groupCount > 3 ? groupDifferences(list + 3, r, g, b) : far;
        lowest = _mm_min_epi16(lowest, _mm_min_epi16(d2, d3));
    }
    // One bit per place at the smallest difference, place 8 * i + k at bit 8 * i + k.
    const __m128i low = lowestLane(lowest);
    uint32_t places = uint32_t(_mm_movemask_epi8(
        _mm_packs_epi16(_mm_cmpeq_epi16(d0, low), _mm_cmpeq_epi16(d1, low))));
    if (groupCount > 2)
        places |= uint32_t(_mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(d2, low),
                                                             _mm_cmpeq_epi16(d3, low))))
                  << 16;
    int first = lowestSetBit(places);
    int found = list[first / 8].entry[first % 8];
    // Entries that tie: the one the walk meets first.
    for (places &= places - 1; places != 0; places &= places - 1) {
        first = lowestSetBit(places);
        const int e = list[first / 8].entry[first % 8];
        if (walkReachesFirst(table->palette, red, green, blue, e, found))
            found = e;
    }
    return found;
}

#else

// Of the list's entries at the smallest difference from the colour, the one the walk meets
// first.
static int nearestOfList(const FramePalette *palette, const ColourCellGroup *list, int groupCount,
                  int red, int green, int blue)
{
    int best = 0x7FFFFFFF;
    int found = 0;
    for (int i = 0; i < groupCount; ++i) {
        for (int k = 0; k < 8; ++k) {
            const int e = list[i].entry[k];
            if (e == 0)
                continue;
            const int d = entryDifference(palette, e, red, green, blue);
            if (d < best) {
                best = d;
                found = e;
            } else if (d == best && e != found
                       && walkReachesFirst(palette, red, green, blue, e, found)) {
                found = e;
            }
        }
    }
    return found;
}

// The walk's answer from the candidates listed for the colour's cube.
int searchColourCells(ColourCellTable *table, int red, int green, int blue)
{
    int groupCount;
    const ColourCellGroup *list = cellList(table, red, green, blue, &groupCount);
    return nearestOfList(table->palette, list, groupCount, red, green, blue);
}

#endif

bool allocateColourCellTable(ColourCellTable *table)
{
    memset(table, 0, sizeof(*table));
    table->cells = static_cast<uint32_t *>(calloc(CellCount, sizeof(uint32_t)));
    // Zero-filled: a search also reads the group after a one-group list, whatever it holds.
    table->groups = static_cast<ColourCellGroup *>(calloc(1, GroupsSize));
    table->parents = static_cast<uint32_t *>(calloc(ParentCount, sizeof(uint32_t)));
    table->parentLists = static_cast<unsigned char *>(malloc(ParentListsSize));
    table->answers = static_cast<uint32_t *>(calloc(ColourAnswerSlots, sizeof(uint32_t)));
    table->parentListsEnd = 1;
    table->answering = true;
    if (table->cells && table->groups && table->parents && table->parentLists && table->answers)
        return true;
    releaseColourCellTable(table);
    return false;
}

void releaseColourCellTable(ColourCellTable *table)
{
    free(table->cells);
    free(table->groups);
    free(table->parents);
    free(table->parentLists);
    free(table->answers);
    memset(table, 0, sizeof(*table));
}

void startColourCellFrame(ColourCellTable *table, const FramePalette *palette)
{
    // Nothing is answered without a parent list, so none means nothing to forget.
    if (table->parentListsEnd > 1) {
        memset(table->cells, 0, CellCount * sizeof(uint32_t));
        memset(table->parents, 0, ParentCount * sizeof(uint32_t));
        memset(table->answers, 0, ColourAnswerSlots * sizeof(uint32_t));
        table->parentListsEnd = 1;
        table->groupsEnd = 0;
    }
    table->palette = palette;
}

bool paletteFullyBuilt(int depth, unsigned long long n)
{
    return n >= (1ull << depth) - 1;
}

void reviewAnswers(ColourCellTable *table, AnswerCount count)
{
    if (table->answering)
        table->answering = count.found * 2 >= count.lookups;
    else if (++table->bandsWithoutAnswers >= 8)
        table->answering = true;
    if (table->answering)
        table->bandsWithoutAnswers = 0;
}
