#include "encoder/gifencoder.h"
#include "encoder/clearframe.h"
#include "encoder/framehelperthread.h"
#include "encoder/pixelword.h"
#include "encoder/qualityframe.h"
#include "encoder/qualitystate.h"

#include <atomic>
#include <cstring>

namespace {

struct RowsMapping
{
    const GifEncoder *encoder;
    const unsigned char *prev;
    const int *coveredWidth;
    int canvasWidth;
    const unsigned char *rgba;
    unsigned char *out;
    unsigned char *picture;
    unsigned char *indices;
    int width;
    FrameArea area;
    const FramePalette *palette;
    ColourCellTable *cells;     // this thread's own
    std::atomic<int> *nextBand; // shared: the next band of rows nobody has taken
};

// Bands of rows go to whichever thread asks first, so neither waits long for the other.
const int BandRows = 16;

void mapRows(void *argument)
{
    const RowsMapping *m = static_cast<const RowsMapping *>(argument);
    for (;;) {
        FrameArea band = m->area;
        band.top = m->area.top + BandRows * m->nextBand->fetch_add(1);
        if (band.top >= m->area.bottom)
            return;
        band.bottom = band.top + BandRows < m->area.bottom ? band.top + BandRows : m->area.bottom;
        m->encoder->mapToPalette(m->prev, m->coveredWidth, m->canvasWidth, m->rgba, m->out,
                                 m->picture, m->indices, m->width, band, m->palette, m->cells);
    }
}

} // namespace

void GifEncoder::nearestPaletteEntry(const FramePalette *palette, int red, int green, int blue,
                                     int *bestIndex, int *bestDifference, int node) const
{
    const int entries = 1 << palette->depth;
    while (node <= entries - 1) {
        const int axis = palette->splitAxis[node];
        const int c = axis == 0 ? red : (axis == 1 ? green : blue);
        const int s = palette->splitValue[node];
        // Near side first; the far side only while it may hold a closer entry.
        if (s > c) {
            nearestPaletteEntry(palette, red, green, blue, bestIndex, bestDifference, node * 2);
            if (*bestDifference <= s - c)
                return;
            node = node * 2 + 1;
        } else {
            nearestPaletteEntry(palette, red, green, blue, bestIndex, bestDifference,
                                node * 2 + 1);
            if (*bestDifference <= c - s)
                return;
            node = node * 2;
        }
    }
    const int entry = node - entries;
    if (entry == transparentIndex)
        return;
    const int difference = entryDifference(palette, entry, red, green, blue);
    if (difference < *bestDifference) {
        *bestIndex = entry;
        *bestDifference = difference;
    }
}

namespace {

// The pixel loop of mapToPalette. AgainstPicture: compared is the picture, which changed
// pixels update, and out is only written where a pixel changes.
template <bool AgainstPicture>
void mapArea(const GifEncoder &encoder, const unsigned char *compared, unsigned char *picture,
             const int *coveredWidth, int canvasWidth, const unsigned char *rgba,
             unsigned char *out, unsigned char *indices, int width, FrameArea area,
             const FramePalette *palette, ColourCellTable *cells)
{
    // What a pixel mapped to entry i becomes: its colour and, in the 4th byte, i.
    uint32_t entryPixel[256];
    for (int i = 0; i < 256; ++i) {
        const unsigned char bytes[4] = {palette->red[i], palette->green[i], palette->blue[i],
                                        (unsigned char)i};
        memcpy(&entryPixel[i], bytes, 4);
    }
    const unsigned char transparentIndex = (unsigned char)encoder.transparentIndex;
    const unsigned char transparentBytes[4] = {0, 0, 0, transparentIndex};
    uint32_t transparentPixel;
    memcpy(&transparentPixel, transparentBytes, 4);

    // Neighbours often share a colour; the search is only repeated for a new one.
    AnswerCount answered = {0, 0};
    uint32_t lastColour = 0;
    int lastIndex = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        const size_t canvasRow = size_t(y) * size_t(canvasWidth) * 4;
        unsigned char *outRow = out + canvasRow;
        const unsigned char *comparedRow = compared ? compared + canvasRow : nullptr;
        unsigned char *pictureRow = AgainstPicture ? picture + canvasRow : nullptr;
        unsigned char *indexRow = indices + size_t(y) * size_t(width);
        const int covered = compared ? (coveredWidth[y] < width ? coveredWidth[y] : width) : 0;
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t colour = loadPixel(row, x) & RgbMask;
            if (x < covered) {
                const uint32_t before = loadPixel(comparedRow, x) & RgbMask;
                if (colour == before) {
                    // Transparent: the canvas keeps the colour it shows.
                    if constexpr (!AgainstPicture)
                        storePixel(outRow, x, before | transparentPixel);
                    indexRow[x] = transparentIndex;
                    continue;
                }
            }
            if (colour != lastColour || lastIndex < 0) {
                const int red = row[x * 4 + 0];
                const int green = row[x * 4 + 1];
                const int blue = row[x * 4 + 2];
                if (cells) {
                    lastIndex = nearestFromCells(cells, red, green, blue, &answered);
                } else {
                    int bestDifference = 1000000;
                    lastIndex = 1;
                    encoder.nearestPaletteEntry(palette, red, green, blue, &lastIndex,
                                                &bestDifference, 1);
                }
                lastColour = colour;
            }
            storePixel(outRow, x, entryPixel[lastIndex]);
            if constexpr (AgainstPicture)
                storePixel(pictureRow, x, colour);
            indexRow[x] = (unsigned char)lastIndex;
        }
    }
    if (cells)
        reviewAnswers(cells, answered);
}

} // namespace

void GifEncoder::mapToPalette(const unsigned char *prev, const int *coveredWidth,
                              int canvasWidth, const unsigned char *rgba, unsigned char *out,
                              unsigned char *picture, unsigned char *indices, int width,
                              FrameArea area, const FramePalette *palette,
                              ColourCellTable *cells) const
{
    if (picture) {
        mapArea<true>(*this, picture, picture, coveredWidth, canvasWidth, rgba, out, indices,
                      width, area, palette, cells);
    } else {
        mapArea<false>(*this, prev, nullptr, coveredWidth, canvasWidth, rgba, out, indices,
                       width, area, palette, cells);
    }
}

bool GifEncoder::encodeFrame(GifFileState *state, const unsigned char *rgba, int width,
                             int height, int delay, int depth) const
{
    if (!state->outputFile || width < 1 || height < 1 || width > state->canvasWidth
        || height > state->canvasHeight || depth < 2 || depth > 8
        || (state->shownClear
            && (width != state->canvasWidth || height != state->canvasHeight)))
        return false;

    // Levels below 100 may use fewer colours.
    QualityState *quality = state->quality;
    if (quality)
        depth = qualityDepth(quality->level, depth);

    // The write that used this slot two frames ago must be done with its buffers.
    FrameWrite *write = &state->writes[state->nextWrite];
    unsigned char *indices = state->indexPlanes[state->nextWrite];
    settleFrameWrite(state->helper, write, &state->settledBytes, &state->settledFrames);

    // The smaller file counts a pixel as changed when its picture changed, the default
    // mode when it differs from what is shown (levels below 100 decide for themselves).
    unsigned char *picture = quality ? nullptr : state->picture;
    const unsigned char *prev =
        state->firstFrame ? nullptr : (picture ? picture : state->previousFrame);
    if (state->shownClear) {
        rgba = prepareClearFrame(state, rgba, (unsigned char)transparentIndex);
        prev = picture ? picture : state->previousFrame;
    }
    FramePalette *palette = &write->palette;
    memset(palette, 0, sizeof(*palette));
    FrameArea changed;
    const size_t n =
        quality ? prepareQualityFrame(state, rgba, width, height, depth, palette, indices,
                                      &changed)
                : buildPalette(prev, state->coveredWidth, state->canvasWidth, rgba, width,
                               height, depth, palette, state->work, &changed, state->helper,
                               state->subtrees);
    // The node above entry 1 also leads to the transparent entry 0, which stays black.
    palette->splitAxis[1 << (depth - 1)] = 0;
    palette->splitValue[1 << (depth - 1)] = 0;
    palette->red[0] = 0;
    palette->green[0] = 0;
    palette->blue[0] = 0;

    // The default mode at level 100 writes the whole frame; the smaller file and the levels
    // below the rectangle of its changed pixels, or one transparent pixel with the smallest
    // colour table when nothing changed, so that the delay still counts.
    const bool cropped = picture || quality;
    FrameArea written = {0, 0, width, height};
    if (cropped)
        written = n > 0 ? changed : FrameArea{0, 0, 1, 1};
    if (cropped && n == 0)
        palette->depth = 2;

    const bool useCells = transparentIndex == 0 && paletteFullyBuilt(depth, n);
    startColourCellFrame(&state->cellTables[0], palette);
    startColourCellFrame(&state->cellTables[1], palette);
    const int writtenWidth = written.right - written.left;
    const int writtenHeight = written.bottom - written.top;
    const bool split = !quality && state->helper
                       && size_t(writtenWidth) * size_t(writtenHeight) >= ParallelPixels;
    std::atomic<int> nextBand{0};
    RowsMapping here = {this, prev, state->coveredWidth, state->canvasWidth, rgba,
                        state->previousFrame, picture, indices, width, written, palette,
                        useCells ? &state->cellTables[0] : nullptr, &nextBand};
    RowsMapping helped = here;
    helped.cells = useCells ? &state->cellTables[1] : nullptr;
    // Waiting for the helper's rows also waits for everything posted to it before them.
    const int ticket = split ? state->helper->post(mapRows, &helped) : 0;
    // Below level 100 the mapping and the LZW choice share the frame's rows.
    int restartRow = -1;
    if (quality)
        restartRow = mapAndChooseQualityFrame(state, rgba, width, written, palette, indices);
    else
        mapRows(&here);
    waitForHelper(state->helper, ticket);
    if (state->shownClear)
        finishClearFrame(state);

    for (int y = 0; y < height; ++y) {
        if (state->coveredWidth[y] < width)
            state->coveredWidth[y] = width;
    }
    state->firstFrame = false;

    write->encoder = this;
    write->out = state->outputFile;
    write->indices = indices + size_t(written.top) * size_t(width) + size_t(written.left);
    write->indexStride = width;
    write->left = written.left;
    write->top = written.top;
    write->width = writtenWidth;
    write->height = writtenHeight;
    write->delay = delay;
    write->disposal = 1;
    write->dictionary = &state->dictionary;
    write->restartRow = restartRow;
    // With alpha the next frame decides how this one is disposed of.
    if (state->shownClear)
        state->heldWrite = state->nextWrite;
    else
        postFrameWrite(state->helper, write);
    state->nextWrite ^= 1;
    return true;
}
