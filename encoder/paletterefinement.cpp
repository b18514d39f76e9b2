#include "encoder/paletterefinement.h"
#include "encoder/eyespace.h"

#include <cstdint>
#include <cstring>

namespace {

// Sets entry e of eye to the colour of entry e of palette.
void matchEyeEntry(const FramePalette *palette, int e, FramePalette *eye)
{
    unsigned char colour[3];
    toEyeSpace(palette->red[e], palette->green[e], palette->blue[e], colour);
    eye->red[e] = colour[0];
    eye->green[e] = colour[1];
    eye->blue[e] = colour[2];
}

// What one pass learns about each entry from the pixels nearest to it.
struct EntryStatistics
{
    uint32_t sum[256][3];
    uint32_t count[256];
    uint64_t error[256];              // their total difference from the entry, in eye space
    int farthest[256];                // the difference of the farthest of them
    unsigned char farthestColour[256][3];
};

// Entries that stand for no pixel, or for the same colour as an entry before them, are
// wasted: each goes to the farthest pixel of the entry that fits its pixels worst, which
// the next pass then shares between the two.
void reseedWastedEntries(int entries, EntryStatistics *stats, FramePalette *palette,
                         FramePalette *eye)
{
    bool seen[1 << 15] = {};
    for (int e = 1; e < entries; ++e) {
        const int key = (palette->red[e] >> 3) << 10 | (palette->green[e] >> 3) << 5
                        | palette->blue[e] >> 3;
        bool wasted = stats->count[e] == 0;
        if (!wasted && seen[key]) {
            // Same cube of colours: wasted only when exactly the same colour as an earlier one.
            for (int k = 1; k < e && !wasted; ++k)
                wasted = stats->count[k] && palette->red[k] == palette->red[e]
                         && palette->green[k] == palette->green[e]
                         && palette->blue[k] == palette->blue[e];
        }
        seen[key] = true;
        if (!wasted)
            continue;
        int worst = 0;
        for (int k = 1; k < entries; ++k) {
            if (stats->error[k] > stats->error[worst] && stats->farthest[k] > 0)
                worst = k;
        }
        if (worst == 0)
            return;
        const unsigned char *colour = stats->farthestColour[worst];
        palette->red[e] = colour[0];
        palette->green[e] = colour[1];
        palette->blue[e] = colour[2];
        matchEyeEntry(palette, e, eye);
        // Split once per pass: its share of the error goes with the new entry.
        stats->error[worst] /= 2;
        stats->farthest[worst] = 0;
    }
}

} // namespace

void refinePalette(const unsigned char *rgba, const unsigned char *marks, int width,
                   FrameArea area, size_t n, int used, int passes, RefineSample *samples,
                   FramePalette *palette, FramePalette *eye, ColourCellTable *cells)
{
    const int entries = used + 1; // one past the last
    for (int e = 1; e < entries; ++e) {
        const unsigned char colour[3] = {eye->red[e], eye->green[e], eye->blue[e]};
        unsigned char rgb[3];
        fromEyeSpace(colour, rgb);
        palette->red[e] = rgb[0];
        palette->green[e] = rgb[1];
        palette->blue[e] = rgb[2];
        matchEyeEntry(palette, e, eye);
    }
    if (passes == 0)
        return;
    // Every step-th marked pixel.
    const size_t step = n > RefineSamples ? (n + RefineSamples - 1) / RefineSamples : 1;
    size_t count = 0;
    size_t skip = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        const unsigned char *markRow = marks + size_t(y) * size_t(width);
        for (int x = area.left; x < area.right; ++x) {
            if (!markRow[x] || skip-- > 0)
                continue;
            skip = step - 1;
            RefineSample *sample = samples + count++;
            memcpy(sample->rgb, row + x * 4, 3);
            toEyeSpace(sample->rgb[0], sample->rgb[1], sample->rgb[2], sample->eye);
        }
    }

    EntryStatistics stats;
    for (int pass = 0; pass < passes; ++pass) {
        memset(&stats, 0, sizeof(stats));
        startColourCellFrame(cells, eye);
        AnswerCount answered = {0, 0};
        for (size_t i = 0; i < count; ++i) {
            const unsigned char *p = samples[i].rgb;
            const unsigned char *colour = samples[i].eye;
            const int e = nearestFromCells(cells, colour[0], colour[1], colour[2], &answered);
            stats.sum[e][0] += p[0];
            stats.sum[e][1] += p[1];
            stats.sum[e][2] += p[2];
            stats.count[e]++;
            const int d = entryDifference(eye, e, colour[0], colour[1], colour[2]);
            stats.error[e] += uint64_t(d);
            if (d > stats.farthest[e]) {
                stats.farthest[e] = d;
                memcpy(stats.farthestColour[e], p, 3);
            }
        }
        reviewAnswers(cells, answered);
        for (int e = 1; e < entries; ++e) {
            const uint32_t members = stats.count[e];
            if (!members)
                continue;
            palette->red[e] = (unsigned char)((stats.sum[e][0] + members / 2) / members);
            palette->green[e] = (unsigned char)((stats.sum[e][1] + members / 2) / members);
            palette->blue[e] = (unsigned char)((stats.sum[e][2] + members / 2) / members);
            matchEyeEntry(palette, e, eye);
        }
        // The last pass only settles the means.
        if (pass + 1 < passes)
            reseedWastedEntries(entries, &stats, palette, eye);
    }
}
