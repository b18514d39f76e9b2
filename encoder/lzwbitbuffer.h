#ifndef LZWBITBUFFER_H
#define LZWBITBUFFER_H

#include <cstdint>

// Packs LZW codes least significant bit first into one 255-byte GIF sub-block at a time.
struct LzwBitBuffer
{
    uint32_t pending;      // bits not yet in block, lowest first
    uint32_t pendingCount; // how many, 0 to 7 between codes
    uint32_t blockLength;  // bytes collected in block, 0 to 255
    uint8_t block[256];
};

#endif
