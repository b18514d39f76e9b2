#include "encoder/lossylzw.h"
#include "encoder/clearpixel.h"
#include "encoder/qualitylevel.h"

#include <cstdint>
#include <cstring>

namespace {

// How far one search for the longest string may look ahead, in pixels and in strings tried.
const int MostDepth = 64;
const int MostTried = 32;

// A pixel of the written rectangle, in coding order.
struct Place
{
    int x;
    int y;
};

// What the search knows of a pixel ahead; its colours and errors only once a string needs
// them (most strings are ruled out by their length alone).
struct PixelAhead
{
    Place place;
    unsigned char *index; // the index the mapping gave it, and then the one chosen
    bool weighed;         // whether the fields below are filled in
    Weighed picture;
    bool mustKeep;        // it must stay clear: index 0 alone may show it
    int keepError;        // its error with index 0, keeping what is shown; -1 when nothing is
    int own;              // its error with the mapping's index
};

// The frame as the pass walks it.
struct FrameWalk
{
    const unsigned char *rgba;
    int width;
    unsigned char *indices;
    const unsigned char *shown;
    int canvasWidth;
    const int *coveredWidth;
    const unsigned char *clear;
    FrameArea area;
    Weighed entries[256];

    // How far pixel p's picture is from what index u shows; -1 when u cannot be used.
    int error(const PixelAhead &p, int u) const
    {
        if (p.mustKeep)
            return u ? -1 : 0;
        return u ? weighedDifference(p.picture, entries[u]) : p.keepError;
    }
    // Moves to the next pixel; false past the last.
    bool step(Place *place) const
    {
        if (++place->x == area.right) {
            place->x = area.left;
            ++place->y;
        }
        return place->y < area.bottom;
    }
    void look(Place place, PixelAhead *p) const
    {
        p->place = place;
        p->index = indices + size_t(place.y) * size_t(width) + size_t(place.x);
        p->weighed = false;
    }
    void weighPixel(PixelAhead *p) const
    {
        const Place place = p->place;
        const unsigned char *c = rgba + (size_t(place.y) * size_t(width) + size_t(place.x)) * 4;
        const unsigned char *s =
            shown + (size_t(place.y) * size_t(canvasWidth) + size_t(place.x)) * 4;
        p->picture = weigh(c[0], c[1], c[2]);
        const ShownPixel state =
            clear ? ShownPixel(clear[size_t(place.y) * size_t(canvasWidth) + size_t(place.x)])
                  : ShownColour;
        p->mustKeep = state == ShownClear;
        p->keepError = place.x < coveredWidth[place.y] && state != DrawnOverClear
                           ? visibleDifference(c[0] - s[0], c[1] - s[1], c[2] - s[2])
                           : -1;
        p->own = error(*p, *p->index);
        p->weighed = true;
    }
};

// The longest continuation of a string over the pixels from a place on, each pixel within
// the level's tolerance of its own error and the string within its budget; among the
// longest, the one that takes the least error. The string tree holds its indices.
struct LongestSearch
{
    const QualityLevel *level;
    const LzwStrings *strings;
    const FrameWalk *walk;
    PixelAhead ahead[MostDepth];
    int known;  // pixels of ahead filled in
    Place next; // the place of the pixel after them
    bool more;  // whether there is one
    int tried;
    int bestLength;
    int bestSpent;
    int bestCode;
    // Whether every continuation of the best string was tried at the pixel after it: then
    // the string ends there.
    bool bestEnds;

    void start(Place place, int code, int spent)
    {
        known = 0;
        next = place;
        more = true;
        tried = 0;
        bestLength = 0;
        bestSpent = spent;
        bestCode = code;
        bestEnds = false;
        explore(code, 0, spent);
    }

    void explore(int code, int length, int spent)
    {
        const bool recorded =
            length > bestLength || (length == bestLength && spent < bestSpent);
        if (recorded) {
            bestLength = length;
            bestSpent = spent;
            bestCode = code;
            bestEnds = false;
        }
        if (length == MostDepth || tried >= MostTried)
            return;
        if (length == known) {
            if (!more) {
                bestEnds = bestEnds || recorded;
                return;
            }
            walk->look(next, &ahead[known++]);
            more = walk->step(&next);
        }
        PixelAhead &pixel = ahead[length];
        // The string with the pixel's own index first: most often the longest, and once it
        // is known, fewer others can be longer.
        const uint32_t *words = strings->dictionary.words;
        const uint32_t word =
            words[lzwFindSlot(words, uint32_t(code) << 8 | uint32_t(*pixel.index))];
        const int own = int(word & 0xFFF);
        if (word) {
            tried++;
            explore(own, length + 1, spent);
        }
        for (int child = strings->firstContinuation[code]; child && tried < MostTried;
             child = strings->nextContinuation[child]) {
            // Strings that cannot grow longer than the longest found are not followed, nor
            // those after them, which are no taller.
            if (length + 1 + strings->height[child] <= bestLength)
                break;
            if (child == own)
                continue;
            if (!pixel.weighed)
                walk->weighPixel(&pixel);
            const int e = walk->error(pixel, strings->lastIndex[child]);
            const int extra = e > pixel.own ? e - pixel.own : 0;
            if (e < 0 || e > pixel.own + level->lzwTolerance
                || spent + extra > level->stringBudget)
                continue;
            tried++;
            explore(child, length + 1, spent + extra);
        }
        if (recorded && bestCode == code && bestLength == length && tried < MostTried)
            bestEnds = true;
    }
};

// Forgets every string but those of one index.
void clearStrings(LzwStrings *strings, int roots)
{
    clearLzwDictionary(&strings->dictionary);
    memset(strings->firstContinuation, 0, sizeof(strings->firstContinuation));
    memset(strings->lastContinuation, 0, sizeof(strings->lastContinuation));
    memset(strings->height, 0, size_t(roots));
}

// Moves string s, grown taller, before the continuations of its string that are shorter.
void promote(LzwStrings *strings, int s)
{
    const int parent = strings->continued[s];
    for (int before = strings->previousContinuation[s];
         before && strings->height[before] < strings->height[s];
         before = strings->previousContinuation[s]) {
        // Swap s with the one before it.
        const int earlier = strings->previousContinuation[before];
        const int later = strings->nextContinuation[s];
        if (earlier)
            strings->nextContinuation[earlier] = uint16_t(s);
        else
            strings->firstContinuation[parent] = uint16_t(s);
        if (later)
            strings->previousContinuation[later] = uint16_t(before);
        else
            strings->lastContinuation[parent] = uint16_t(before);
        strings->previousContinuation[s] = uint16_t(earlier);
        strings->nextContinuation[s] = uint16_t(before);
        strings->previousContinuation[before] = uint16_t(s);
        strings->nextContinuation[before] = uint16_t(later);
    }
}

// Adds the string current + index as code, as the coder does.
void addString(LzwStrings *strings, int current, int index, int code)
{
    const uint32_t key = uint32_t(current) << 8 | uint32_t(index);
    uint32_t *words = strings->dictionary.words;
    words[lzwFindSlot(words, key)] = key << 12 | uint32_t(code);
    strings->continued[code] = uint16_t(current);
    strings->lastIndex[code] = (unsigned char)index;
    strings->height[code] = 0;
    strings->firstContinuation[code] = 0;
    strings->lastContinuation[code] = 0;
    // Last among its string's continuations: none is shorter.
    const int last = strings->lastContinuation[current];
    strings->previousContinuation[code] = uint16_t(last);
    strings->nextContinuation[code] = 0;
    if (last)
        strings->nextContinuation[last] = uint16_t(code);
    else
        strings->firstContinuation[current] = uint16_t(code);
    strings->lastContinuation[current] = uint16_t(code);
    // The strings it continues may now reach further.
    for (int s = current, reach = 1; reach > strings->height[s] && reach < 256; ++reach) {
        strings->height[s] = (unsigned char)reach;
        if (strings->continued[s] == NoString)
            break;
        promote(strings, s);
        s = strings->continued[s];
    }
}

} // namespace

void chooseLzwIndices(const QualityLevel &level, LzwStrings *strings,
                      const FramePalette *palette, const unsigned char *rgba, int width,
                      FrameArea area, unsigned char *indices, unsigned char *shown,
                      int canvasWidth, const int *coveredWidth, const unsigned char *clear,
                      AwaitRows awaitRows, void *rowsArgument)
{
    FrameWalk walk = {rgba, width, indices, shown, canvasWidth, coveredWidth, clear, area, {}};
    const int clearCode = 1 << palette->depth;
    for (int e = 1; e < clearCode; ++e)
        walk.entries[e] = weigh(palette->red[e], palette->green[e], palette->blue[e]);
    int lastCode = clearCode + 1;
    clearStrings(strings, clearCode);
    for (int root = 0; root < clearCode; ++root)
        strings->continued[root] = NoString;
    LongestSearch search;
    search.level = &level;
    search.strings = strings;
    search.walk = &walk;

    int current = -1;  // code of the string matched so far
    int spent = 0;     // the string's error beyond its pixels' own
    bool ends = false; // whether the string is known to end here
    Place place = {area.left, area.top};
    bool more = area.left < area.right && area.top < area.bottom;
    // Rows a search from a pixel may reach beyond its own, and the rows known to be mapped.
    const int across = area.right - area.left;
    const int reach = (MostDepth + across - 1) / across + 1;
    int mapped = area.top;
    while (more) {
        if (mapped < area.bottom && place.y + reach >= mapped) {
            mapped = place.y + reach + 1 < area.bottom ? place.y + reach + 1 : area.bottom;
            awaitRows(rowsArgument, mapped);
        }
        int length = 0;
        // Kept pixels go on with the coder's own string for them while there is one: the
        // search seldom finds better in a still area, and still areas are most of a frame.
        unsigned char *index = indices + size_t(place.y) * size_t(width) + size_t(place.x);
        if (current >= 0 && !ends && *index == 0) {
            const uint32_t *words = strings->dictionary.words;
            const uint32_t word = words[lzwFindSlot(words, uint32_t(current) << 8)];
            if (word) {
                current = int(word & 0xFFF);
                more = walk.step(&place);
                continue;
            }
        }
        if (current >= 0 && !ends) {
            search.start(place, current, spent);
            length = search.bestLength;
        }
        ends = length > 0 && search.bestEnds;
        if (length > 0) {
            // The string goes on over the pixels of the longest continuation: the indices
            // of the strings from its end back to where it was.
            int code = search.bestCode;
            for (int k = length - 1; k >= 0; --k) {
                *search.ahead[k].index = strings->lastIndex[code];
                code = strings->continued[code];
            }
            current = search.bestCode;
            spent = search.bestSpent;
        } else {
            // The coder writes the string and adds it with this pixel's own index.
            const int value = indices[size_t(place.y) * size_t(width) + size_t(place.x)];
            if (current >= 0) {
                addString(strings, current, value, ++lastCode);
                // The coder drops every string once code 4095 is given.
                if (lastCode == 4095) {
                    clearStrings(strings, clearCode);
                    lastCode = clearCode + 1;
                }
            }
            current = value;
            spent = 0;
            length = 1;
        }
        // What the chosen indices show.
        for (int k = 0; k < length && more; ++k) {
            const int value = indices[size_t(place.y) * size_t(width) + size_t(place.x)];
            if (value) {
                unsigned char *s =
                    shown + (size_t(place.y) * size_t(canvasWidth) + size_t(place.x)) * 4;
                s[0] = palette->red[value];
                s[1] = palette->green[value];
                s[2] = palette->blue[value];
                s[3] = (unsigned char)value;
            }
            more = walk.step(&place);
        }
    }
}
