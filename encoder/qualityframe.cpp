#include "encoder/qualityframe.h"
#include "encoder/framehelperthread.h"
#include "encoder/lossylzw.h"
#include "encoder/palettebuilder.h"
#include "encoder/paletterefinement.h"
#include "encoder/qualitystate.h"
#include "encoder/visiblechanges.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace {

// Bands of rows of a frame, mapped by whichever thread takes them first, in order.
const int MostBands = 256;
const int LeastBandRows = 16;

struct MappedBands
{
    const unsigned char *shown;
    int canvasWidth;
    const unsigned char *rgba;
    int width;
    FrameArea area;
    unsigned char *indices;
    const FramePalette *palette;
    int bandRows;
    int bands;
    std::atomic<int> next;     // the next band nobody has taken
    std::atomic<bool> done[MostBands];
};

void mapBand(MappedBands *m, int band, ColourCellTable *cells)
{
    FrameArea rows = m->area;
    rows.top = m->area.top + band * m->bandRows;
    rows.bottom = rows.top + m->bandRows < m->area.bottom ? rows.top + m->bandRows
                                                           : m->area.bottom;
    mapVisibleChanges(m->shown, m->canvasWidth, m->rgba, m->width, rows, m->indices,
                      m->palette, cells);
    m->done[band].store(true, std::memory_order_release);
}

// One thread's view of the bands: its own cells, and the bands from the first it needs
// that it knows are done.
struct BandWaiter
{
    MappedBands *bands;
    ColourCellTable *cells;
    int doneBefore;
};

// The LZW choice waits for rows: the thread maps the next band itself when nobody has
// taken it, so no thread ever waits for one that waits.
void awaitMappedRows(void *argument, int row)
{
    BandWaiter *w = static_cast<BandWaiter *>(argument);
    MappedBands *m = w->bands;
    const int needed = (row - m->area.top + m->bandRows - 1) / m->bandRows;
    while (w->doneBefore < needed) {
        if (m->done[w->doneBefore].load(std::memory_order_acquire)) {
            w->doneBefore++;
            continue;
        }
        const int band = m->next.fetch_add(1);
        if (band < m->bands)
            mapBand(m, band, w->cells);
        else
            std::this_thread::yield(); // the other thread is mapping it
    }
}

// The choice of one part of a frame.
struct FramePart
{
    const GifFileState *state;
    LzwStrings *strings;
    const FramePalette *palette;
    const unsigned char *rgba;
    int width;
    FrameArea area;
    unsigned char *indices;
    BandWaiter waiter;
};

void choosePart(const FramePart &part)
{
    if (part.area.top >= part.area.bottom)
        return;
    const GifFileState *state = part.state;
    chooseLzwIndices(state->quality->level, part.strings, part.palette, part.rgba, part.width,
                     part.area, part.indices, state->previousFrame, state->canvasWidth,
                     state->coveredWidth, state->shownClear, awaitMappedRows,
                     const_cast<BandWaiter *>(&part.waiter));
}

// The helper's share: bands until none is left, then the lower part.
void mapAndChooseLower(void *argument)
{
    FramePart *lower = static_cast<FramePart *>(argument);
    MappedBands *m = lower->waiter.bands;
    for (int band = m->next.fetch_add(1); band < m->bands; band = m->next.fetch_add(1))
        mapBand(m, band, lower->waiter.cells);
    choosePart(*lower);
}

} // namespace

int qualityDepth(const QualityLevel &level, int depth)
{
    int bits = 1;
    while ((1 << bits) - 1 < level.colours)
        bits++;
    return bits < depth ? bits : depth;
}

size_t prepareQualityFrame(GifFileState *state, const unsigned char *rgba, int width,
                           int height, int depth, FramePalette *palette,
                           unsigned char *indices, FrameArea *changed)
{
    const QualityLevel &level = state->quality->level;
    palette->depth = depth;
    // Still pixels may keep the error the LZW choice gave them: redrawing them would only
    // give the same again, frame after frame.
    const int still = state->quality->smallerFile ? 0x7FFFFFFF
                                                  : level.keepTolerance + level.lzwTolerance;
    const size_t n = collectVisibleChanges(level.keepTolerance, still, state->previousFrame,
                                           state->picture, state->coveredWidth,
                                           state->shownClear, state->canvasWidth, rgba, width,
                                           height, state->work, indices, changed);
    FramePalette *eye = &state->quality->eyePalette;
    memset(eye, 0, sizeof(*eye));
    eye->depth = depth;
    // Returns once every subtree is built, whichever thread built it.
    const int entries = level.colours < (1 << depth) - 1 ? level.colours : (1 << depth) - 1;
    buildFramePalette(state->work, n, depth, entries, eye, state->helper, state->subtrees);
    refinePalette(rgba, indices, width, *changed, n, entries, level.refinePasses,
                  state->quality->samples, palette, eye, &state->cellTables[0]);
    return n;
}

int mapAndChooseQualityFrame(GifFileState *state, const unsigned char *rgba, int width,
                             FrameArea written, const FramePalette *palette,
                             unsigned char *indices)
{
    QualityState *quality = state->quality;
    startColourCellFrame(&state->cellTables[0], &quality->eyePalette);
    startColourCellFrame(&state->cellTables[1], &quality->eyePalette);
    const int rows = written.bottom - written.top;
    int bandRows = (rows + MostBands - 1) / MostBands;
    bandRows = bandRows > LeastBandRows ? bandRows : LeastBandRows;
    MappedBands bands;
    bands.shown = state->previousFrame;
    bands.canvasWidth = state->canvasWidth;
    bands.rgba = rgba;
    bands.width = width;
    bands.area = written;
    bands.indices = indices;
    bands.palette = palette;
    bands.bandRows = bandRows;
    bands.bands = (rows + bandRows - 1) / bandRows;
    bands.next = 0;
    for (int b = 0; b < bands.bands; ++b)
        bands.done[b] = false;

    // A large frame is chosen in two parts at once: the coder's table starts again at the
    // row that parts them. The helper, which maps most bands first, chooses the smaller,
    // lower part. Whether a frame is large does not depend on the helper, so that the file
    // does not either.
    const size_t pixels = size_t(written.right - written.left) * size_t(rows);
    const int middle = pixels >= 2 * ParallelPixels && rows >= 2 ? written.top + rows * 5 / 8
                                                                  : written.bottom;
    FramePart upper = {state, &quality->strings[0], palette, rgba, width, written, indices,
                       {&bands, &state->cellTables[0], 0}};
    upper.area.bottom = middle;
    FramePart lower = {state, &quality->strings[1], palette, rgba, width, written, indices,
                       {&bands, &state->cellTables[1], (middle - written.top) / bandRows}};
    lower.area.top = middle;
    const int ticket = state->helper && pixels >= ParallelPixels
                           ? state->helper->post(mapAndChooseLower, &lower)
                           : 0;
    choosePart(upper);
    if (!ticket) {
        lower.waiter.cells = &state->cellTables[0];
        choosePart(lower);
    }
    waitForHelper(state->helper, ticket);
    return middle < written.bottom ? middle - written.top : -1;
}
