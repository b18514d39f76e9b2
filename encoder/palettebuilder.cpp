#include "encoder/palettebuilder.h"
#include "encoder/framehelperthread.h"
#include "encoder/gifencoder.h"
#include "encoder/pixelword.h"
#include "encoder/subtreequeue.h"

#include <cstdint>
#include <cstring>

namespace {

void shareSubtrees(void *argument)
{
    static_cast<SubtreeQueue *>(argument)->work();
}

} // namespace

size_t collectChangedPixels(const unsigned char *prev, const int *coveredWidth,
                            int canvasWidth, const unsigned char *rgba, int width, int height,
                            unsigned char *work, FrameArea *changed)
{
    FrameArea area = {width, height, 0, 0};
    size_t count = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char *shown = prev + size_t(y) * size_t(canvasWidth) * 4;
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        const int covered = coveredWidth[y] < width ? coveredWidth[y] : width;
        const auto same = [row, shown](int x) {
            return ((loadPixel(row, x) ^ loadPixel(shown, x)) & RgbMask) == 0;
        };
        // Unchanged pixels at either end of the row are passed over first: on a still
        // background that is most of the frame.
        int first = 0;
        while (first < covered && same(first))
            first++;
        if (first == width)
            continue;
        int end = width;
        if (covered == width) {
            while (same(end - 1))
                end--;
        }
        const int comparedEnd = end < covered ? end : covered;
        for (int x = first; x < comparedEnd; ++x) {
            const uint32_t p = loadPixel(row, x);
            if (((p ^ loadPixel(shown, x)) & RgbMask) == 0)
                continue;
            storePixel(work, count, p);
            count++;
        }
        // Never drawn there yet: every pixel counts as changed.
        memcpy(work + count * 4, row + size_t(covered) * 4, size_t(width - covered) * 4);
        count += size_t(width - covered);

        growAreaByRow(&area, first, end, y);
    }
    *changed = area;
    return count;
}

size_t GifEncoder::buildPalette(const unsigned char *prev, const int *coveredWidth,
                                int canvasWidth, const unsigned char *rgba, int width,
                                int height, int depth, FramePalette *palette,
                                unsigned char *work, FrameArea *changed,
                                FrameHelperThread *helper, SubtreeQueue *subtrees) const
{
    palette->depth = depth;
    size_t n = size_t(width) * size_t(height);
    if (prev) {
        n = collectChangedPixels(prev, coveredWidth, canvasWidth, rgba, width, height, work,
                                 changed);
    } else {
        memcpy(work, rgba, n * 4);
        *changed = {0, 0, width, height};
    }

    buildFramePalette(work, n, depth, (1 << depth) - 1, palette, helper, subtrees);
    return n;
}

void buildFramePalette(unsigned char *work, size_t n, int depth, int entries,
                       FramePalette *palette, FrameHelperThread *helper, SubtreeQueue *subtrees)
{
    if (!helper || n < ParallelPixels) {
        buildPaletteTree(work, n, 1, entries + 1, 1 << (depth - 1), 1 << (depth - 2), 1,
                         palette);
        return;
    }
    // Whichever thread is free takes the next subtree; the helper joins once it is done
    // with what it was given before; the wait for its share of the rows covers this task.
    subtrees->open(work, n, depth, entries, palette);
    helper->post(shareSubtrees, subtrees);
    subtrees->work();
}
