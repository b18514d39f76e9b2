#ifndef PIXELWORD_H
#define PIXELWORD_H

#include <cstddef>
#include <cstdint>
#include <cstring>

// A 4-byte pixel (red, green, blue, 4th byte) handled as one 32-bit word, so that moving
// and comparing pixels costs one load or store instead of four.

// GCC and Clang name the byte order; MSVC builds only for little-endian processors.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
const bool BigEndianWords = true;
#else
const bool BigEndianWords = false;
#endif

const uint32_t RgbMask = BigEndianWords ? 0xFFFFFF00u : 0x00FFFFFFu;

// Bit position of channel axis (0 red, 1 green, 2 blue) inside the word.
inline int channelShift(int axis)
{
    return BigEndianWords ? 24 - 8 * axis : 8 * axis;
}

inline uint32_t loadPixel(const unsigned char *pixels, size_t i)
{
    uint32_t word;
    memcpy(&word, pixels + i * 4, 4);
    return word;
}

inline void storePixel(unsigned char *pixels, size_t i, uint32_t word)
{
    memcpy(pixels + i * 4, &word, 4);
}

inline void swapPixels(unsigned char *pixels, size_t a, size_t b)
{
    const uint32_t held = loadPixel(pixels, a);
    storePixel(pixels, a, loadPixel(pixels, b));
    storePixel(pixels, b, held);
}

#endif
