#include "encoder/palettetree.h"
#include "encoder/framepalette.h"
#include "encoder/pixelword.h"
#include "encoder/simdsupport.h"

#include <cstdint>

namespace {

#ifdef LUMORRA_AVX512
// Lowers low[k] and raises high[k] to the bytes at place k of the pixels, 16 pixels a step;
// returns how many pixels it went through.
__attribute__((target("avx512f,avx512bw"))) size_t
byteRangesAvx512(const unsigned char *pixels, size_t n, unsigned char low[4],
                 unsigned char high[4])
{
    __m512i vLow = _mm512_set1_epi8(char(0xFF));
    __m512i vHigh = _mm512_setzero_si512();
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512i v = _mm512_loadu_si512(pixels + i * 4);
        vLow = _mm512_min_epu8(vLow, v);
        vHigh = _mm512_max_epu8(vHigh, v);
    }
    unsigned char lows[64];
    unsigned char highs[64];
    _mm512_storeu_si512(lows, vLow);
    _mm512_storeu_si512(highs, vHigh);
    for (int k = 0; k < 64; ++k) {
        low[k % 4] = lows[k] < low[k % 4] ? lows[k] : low[k % 4];
        high[k % 4] = highs[k] > high[k % 4] ? highs[k] : high[k % 4];
    }
    return i;
}

bool hasAvx512Bytes()
{
    static const bool has =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return has;
}
#endif

// Smallest and largest value of each channel over the n pixels.
void channelRanges(const unsigned char *pixels, size_t n, int minimum[3], int maximum[3])
{
    unsigned char low[4] = {255, 255, 255, 255};
    unsigned char high[4] = {0, 0, 0, 0};
    size_t i = 0;
#ifdef LUMORRA_AVX512
    if (n >= 16 && hasAvx512Bytes())
        i = byteRangesAvx512(pixels, n, low, high);
#endif
#ifdef LUMORRA_SSE2
    // Four pixels a step: byte k of each 4-byte group is channel k.
    if (n - i >= 4) {
        __m128i vLow = _mm_set1_epi8(char(0xFF));
        __m128i vHigh = _mm_setzero_si128();
        for (; i + 4 <= n; i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pixels + i * 4));
            vLow = _mm_min_epu8(vLow, v);
            vHigh = _mm_max_epu8(vHigh, v);
        }
        unsigned char lows[16];
        unsigned char highs[16];
        _mm_storeu_si128(reinterpret_cast<__m128i *>(lows), vLow);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(highs), vHigh);
        for (int k = 0; k < 16; ++k) {
            if (lows[k] < low[k % 4])
                low[k % 4] = lows[k];
            if (highs[k] > high[k % 4])
                high[k % 4] = highs[k];
        }
    }
#endif
    for (; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            const unsigned char value = pixels[i * 4 + c];
            if (value < low[c])
                low[c] = value;
            if (value > high[c])
                high[c] = value;
        }
    }
    for (int c = 0; c < 3; ++c) {
        minimum[c] = low[c];
        maximum[c] = high[c];
    }
}

} // namespace

size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot, PartitionKernel kernel)
{
    const int shift = channelShift(axis);
    const uint32_t pivotValue = (loadPixel(pixels, pivot) >> shift) & 0xFF;
    swapPixels(pixels, pivot, right - 1);
    const size_t last = right - 1;
    PartitionScan scan = {left, left, 0};
    partitionBlocks(kernel, pixels, last, shift, pivotValue, &scan);
    size_t store = scan.store;
    // Branch-free: which side a pixel goes to is data, not a jump the processor must guess.
    uint32_t turn = scan.alternate & 1u;
    for (size_t i = scan.next; i < last; ++i) {
        const uint32_t a = loadPixel(pixels, i);
        const uint32_t value = (a >> shift) & 0xFF;
        const uint32_t equal = value == pivotValue;
        // Equal values go to either side in turn, so runs of one colour split evenly.
        const uint32_t take = uint32_t(value < pivotValue) | (equal & turn);
        turn ^= equal;
        const uint32_t b = loadPixel(pixels, store);
        const uint32_t mask = 0u - take;
        storePixel(pixels, i, (b & mask) | (a & ~mask));
        storePixel(pixels, store, (a & mask) | (b & ~mask));
        store += take;
    }
    swapPixels(pixels, store, last);
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

    // A palette of fewer entries than its table holds ends before some splits: their range
    // lies wholly on the left.
    if (splitEntry >= end) {
        buildPaletteTree(pixels, n, first, end, splitEntry - splitDistance, splitDistance / 2,
                         node * 2, palette);
        return;
    }
    const size_t nLeft = splitPaletteNode(pixels, n, first, end, splitEntry, node, palette);
    buildPaletteTree(pixels, nLeft, first, splitEntry, splitEntry - splitDistance,
                     splitDistance / 2, node * 2, palette);
    buildPaletteTree(pixels + nLeft * 4, n - nLeft, splitEntry, end,
                     splitEntry + splitDistance, splitDistance / 2, node * 2 + 1, palette);
}

size_t splitPaletteNode(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
                        int node, FramePalette *palette)
{
    int minimum[3];
    int maximum[3];
    channelRanges(pixels, n, minimum, maximum);
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
    return nLeft;
}
