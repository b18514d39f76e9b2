#ifndef BITMASK_H
#define BITMASK_H

#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

// Position of the lowest set bit of a mask that is not 0.
inline int lowestSetBit(uint32_t mask)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctz(mask);
#elif defined(_MSC_VER)
    unsigned long position;
    _BitScanForward(&position, mask);
    return int(position);
#else
    int position = 0;
    while ((mask & 1u) == 0) {
        mask >>= 1;
        position++;
    }
    return position;
#endif
}

// Bit k of the result is the parity of the bits of mask at positions 0 to k.
inline uint32_t runningParity(uint32_t mask)
{
    mask ^= mask << 1;
    mask ^= mask << 2;
    mask ^= mask << 4;
    mask ^= mask << 8;
    mask ^= mask << 16;
    return mask;
}

#endif
