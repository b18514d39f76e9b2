#include "encoder/qualityframe.h"
#include "encoder/eyespace.h"
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
    ColourCellTable *cells[2]; // this thread's, the helper's
    int bandRows;
    int bands;
    std::atomic<int> next;     // the next band nobody has taken
    std::atomic<bool> done[MostBands];
    int doneBefore;            // the bands from the first that this thread knows are done
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

// The helper's share: bands until none is left.
void mapBands(void *argument)
{
    MappedBands *m = static_cast<MappedBands *>(argument);
    for (int band = m->next.fetch_add(1); band < m->bands; band = m->next.fetch_add(1))
        mapBand(m, band, m->cells[1]);
}

// The LZW choice waits for rows: it maps the next band itself when nobody has taken it.
void awaitMappedRows(void *argument, int row)
{
    MappedBands *m = static_cast<MappedBands *>(argument);
    const int needed = (row - m->area.top + m->bandRows - 1) / m->bandRows;
    while (m->doneBefore < needed) {
        if (m->done[m->doneBefore].load(std::memory_order_acquire)) {
            m->doneBefore++;
            continue;
        }
        const int band = m->next.fetch_add(1);
        if (band < m->bands)
            mapBand(m, band, m->cells[0]);
        else
            std::this_thread::yield(); // the helper is mapping it
    }
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
                                           state->canvasWidth, rgba, width, height,
                                           state->work, indices, changed);
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

void mapAndChooseQualityFrame(GifFileState *state, const unsigned char *rgba, int width,
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
    bands.cells[0] = &state->cellTables[0];
    bands.cells[1] = &state->cellTables[1];
    bands.bandRows = bandRows;
    bands.bands = (rows + bandRows - 1) / bandRows;
    bands.next = 0;
    for (int b = 0; b < bands.bands; ++b)
        bands.done[b] = false;
    bands.doneBefore = 0;
    const size_t pixels = size_t(written.right - written.left) * size_t(rows);
    const int ticket =
        state->helper && pixels >= ParallelPixels ? state->helper->post(mapBands, &bands) : 0;
    chooseLzwIndices(quality, palette, rgba, width, written, indices, state->previousFrame,
                     state->canvasWidth, state->coveredWidth, awaitMappedRows, &bands);
    // The helper's task reads the bands until it finds none left.
    waitForHelper(state->helper, ticket);
}
