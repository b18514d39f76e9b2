#include "workers/pngrows.h"

#include "encoder/simdsupport.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A pixel's 4 bytes as one word; the bytes keep their order in memory whatever the
// processor's, and the sums below work on each byte alone.
uint32_t load(const unsigned char *bytes)
{
    uint32_t word;
    memcpy(&word, bytes, 4);
    return word;
}

void store(unsigned char *bytes, uint32_t word)
{
    memcpy(bytes, &word, 4);
}

// Bytewise sum modulo 256.
uint32_t addBytes(uint32_t x, uint32_t y)
{
    return ((x & 0x7F7F7F7Fu) + (y & 0x7F7F7F7Fu)) ^ ((x ^ y) & 0x80808080u);
}

// Bytewise (x + y) / 2, rounded down.
uint32_t averageBytes(uint32_t x, uint32_t y)
{
    return (x & y) + (((x ^ y) & 0xFEFEFEFEu) >> 1);
}

#ifdef LUMORRA_SSE2

// The Paeth filter: each byte predicted by whichever of left, above and upper left is
// nearest to left + above - upper left, in that order on ties; one pixel at a time in
// 16-bit lanes, since each depends on the one before.
void unpaethRow(const unsigned char *raw, int channels, const unsigned char *above,
                unsigned char *row, int width, uint32_t opaque)
{
    const __m128i zero = _mm_setzero_si128();
    const auto widen = [zero](uint32_t word) {
        return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(word)), zero);
    };
    const auto magnitude = [zero](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
    __m128i a = zero;
    __m128i c = zero;
    for (int x = 0; x < width; ++x) {
        const __m128i b = widen(load(above + x * 4));
        const __m128i pa = magnitude(_mm_sub_epi16(b, c));
        const __m128i pb = magnitude(_mm_sub_epi16(a, c));
        const __m128i pc = magnitude(_mm_sub_epi16(_mm_add_epi16(a, b), _mm_add_epi16(c, c)));
        const __m128i smallest = _mm_min_epi16(_mm_min_epi16(pa, pb), pc);
        const __m128i useA = _mm_cmpeq_epi16(pa, smallest);
        const __m128i useB = _mm_andnot_si128(useA, _mm_cmpeq_epi16(pb, smallest));
        const __m128i useC =
            _mm_andnot_si128(_mm_or_si128(useA, useB), _mm_cmpeq_epi16(zero, zero));
        const __m128i predicted = _mm_or_si128(
            _mm_or_si128(_mm_and_si128(useA, a), _mm_and_si128(useB, b)), _mm_and_si128(useC, c));
        a = _mm_and_si128(_mm_add_epi16(predicted, widen(load(raw + x * channels))),
                          _mm_set1_epi16(0xFF));
        store(row + x * 4, uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(a, zero))) | opaque);
        c = b;
    }
}

#else

void unpaethRow(const unsigned char *raw, int channels, const unsigned char *above,
                unsigned char *row, int width, uint32_t opaque)
{
    for (int x = 0; x < width; ++x) {
        for (int k = 0; k < channels; ++k) {
            const int a = x > 0 ? row[x * 4 - 4 + k] : 0;
            const int b = above[x * 4 + k];
            const int c = x > 0 ? above[x * 4 - 4 + k] : 0;
            const int pa = abs(b - c);
            const int pb = abs(a - c);
            const int pc = abs(a + b - 2 * c);
            const int predicted = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            row[x * 4 + k] = (unsigned char)(raw[x * channels + k] + predicted);
        }
        store(row + x * 4, load(row + x * 4) | opaque);
    }
}

#endif

} // namespace

bool unfilterToRgba(const unsigned char *filtered, int width, int height, int channels,
                    unsigned char *rgba)
{
    const size_t rowBytes = size_t(width) * size_t(channels);
    const size_t rgbaBytes = size_t(width) * 4;
    // Rows above the first one are zero; so are the bytes left of each row's first pixel.
    const std::vector<unsigned char> zeroRow(rgbaBytes, 0);
    // The 4th byte of an RGB pixel's word is the next pixel's first byte: each byte is
    // worked out alone, and alpha is set as the pixel is stored.
    const unsigned char alpha[4] = {0, 0, 0, 0xFF};
    const uint32_t opaque = channels == 3 ? load(alpha) : 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char *line = filtered + size_t(y) * (rowBytes + 1);
        const unsigned char *raw = line + 1;
        unsigned char *row = rgba + size_t(y) * rgbaBytes;
        const unsigned char *above = y > 0 ? row - rgbaBytes : zeroRow.data();
        uint32_t left = 0;
        switch (line[0]) {
        case 0:
            for (int x = 0; x < width; ++x)
                store(row + x * 4, load(raw + x * channels) | opaque);
            break;
        case 1:
            for (int x = 0; x < width; ++x) {
                left = addBytes(load(raw + x * channels), left);
                store(row + x * 4, left | opaque);
            }
            break;
        case 2:
            for (int x = 0; x < width; ++x)
                store(row + x * 4,
                      addBytes(load(raw + x * channels), load(above + x * 4)) | opaque);
            break;
        case 3:
            for (int x = 0; x < width; ++x) {
                left = addBytes(load(raw + x * channels), averageBytes(left, load(above + x * 4)));
                store(row + x * 4, left | opaque);
            }
            break;
        case 4:
            unpaethRow(raw, channels, above, row, width, opaque);
            break;
        default:
            return false;
        }
    }
    return true;
}
