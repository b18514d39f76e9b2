#include "encoder/palettebuilder.h"
#include "encoder/gifencoder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void swapPixels(unsigned char *pixels, size_t a, size_t b)
{
    unsigned char held[4];
    memcpy(held, pixels + a * 4, 4);
    memcpy(pixels + a * 4, pixels + b * 4, 4);
    memcpy(pixels + b * 4, held, 4);
}

} // namespace

size_t collectChangedPixels(const unsigned char *prev, const int *coveredWidth,
                            int canvasWidth, const unsigned char *rgba, int width, int height,
                            unsigned char *work)
{
    size_t count = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char *shown = prev + size_t(y) * size_t(canvasWidth) * 4;
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        for (int x = 0; x < width; ++x) {
            const unsigned char *s = shown + x * 4;
            const unsigned char *p = row + x * 4;
            const bool covered = x < coveredWidth[y];
            if (covered && p[0] == s[0] && p[1] == s[1] && p[2] == s[2])
                continue;
            work[count * 4 + 0] = p[0];
            work[count * 4 + 1] = p[1];
            work[count * 4 + 2] = p[2];
            count++;
        }
    }
    return count;
}

size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot)
{
    const unsigned char pivotValue = pixels[pivot * 4 + axis];
    swapPixels(pixels, pivot, right - 1);
    size_t store = left;
    bool alternate = false;
    for (size_t i = left; i < right - 1; ++i) {
        const unsigned char value = pixels[i * 4 + axis];
        if (value < pivotValue) {
            swapPixels(pixels, i, store);
            store++;
        } else if (value == pivotValue) {
            // Equal values go to either side in turn, so runs of one colour split evenly.
            if (alternate) {
                swapPixels(pixels, i, store);
                store++;
            }
            alternate = !alternate;
        }
    }
    swapPixels(pixels, store, right - 1);
    return store;
}

void medianSelect(unsigned char *pixels, size_t left, size_t right, int axis, size_t target)
{
    while (left + 1 < right) {
        const size_t pivot = left + (right - left) / 2;
        const size_t p = partitionAroundPivot(pixels, left, right, axis, pivot);
        if (p == target)
            return;
        // Only the side holding the target is ordered further.
        if (p > target)
            right = p;
        else
            left = p + 1;
    }
}

void buildPaletteTree(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
                      int splitDistance, int node, FramePalette *palette)
{
    if (end <= first || n == 0)
        return;

    if (end == first + 1) {
        // One entry left: the mean of its pixels, halves rounded up.
        uint64_t sum[3] = {0, 0, 0};
        for (size_t i = 0; i < n; ++i) {
            sum[0] += pixels[i * 4 + 0];
            sum[1] += pixels[i * 4 + 1];
            sum[2] += pixels[i * 4 + 2];
        }
        palette->red[first] = (unsigned char)((sum[0] + n / 2) / n);
        palette->green[first] = (unsigned char)((sum[1] + n / 2) / n);
        palette->blue[first] = (unsigned char)((sum[2] + n / 2) / n);
        return;
    }

    int minimum[3] = {255, 255, 255};
    int maximum[3] = {0, 0, 0};
    for (size_t i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            const int value = pixels[i * 4 + c];
            if (value < minimum[c])
                minimum[c] = value;
            if (value > maximum[c])
                maximum[c] = value;
        }
    }
    const int redRange = maximum[0] - minimum[0];
    const int greenRange = maximum[1] - minimum[1];
    const int blueRange = maximum[2] - minimum[2];

    // Green wins ties with blue; red needs a strictly greatest range.
    int axis = 1;
    if (blueRange > greenRange)
        axis = 2;
    if (redRange > blueRange && redRange > greenRange)
        axis = 0;

    // Pixels are shared out in proportion to the entries on each side.
    const size_t nLeft = size_t(uint64_t(n) * uint64_t(splitEntry - first)
                                / uint64_t(end - first));
    medianSelect(pixels, 0, n, axis, nLeft);
    palette->splitAxis[node] = (unsigned char)axis;
    palette->splitValue[node] = pixels[nLeft * 4 + axis];

    buildPaletteTree(pixels, nLeft, first, splitEntry, splitEntry - splitDistance,
                     splitDistance / 2, node * 2, palette);
    buildPaletteTree(pixels + nLeft * 4, n - nLeft, splitEntry, end,
                     splitEntry + splitDistance, splitDistance / 2, node * 2 + 1, palette);
}

bool GifEncoder::buildPalette(const unsigned char *prev, const int *coveredWidth,
                              int canvasWidth, const unsigned char *rgba, int width,
                              int height, int depth, FramePalette *palette) const
{
    palette->depth = depth;
    const size_t pixelCount = size_t(width) * size_t(height);
    unsigned char *work = static_cast<unsigned char *>(malloc(pixelCount * 4));
    if (!work)
        return false;
    memcpy(work, rgba, pixelCount * 4);
    size_t n = pixelCount;
    if (prev)
        n = collectChangedPixels(prev, coveredWidth, canvasWidth, rgba, width, height, work);

    buildPaletteTree(work, n, 1, 1 << depth, 1 << (depth - 1), 1 << (depth - 2), 1, palette);
    free(work);
    return true;
}
