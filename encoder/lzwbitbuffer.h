#ifndef LZWBITBUFFER_H
#define LZWBITBUFFER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Packs one frame's LZW codes least significant bit first into one run of bytes, which is
// cut into 255-byte GIF sub-blocks once the frame is complete: the same bytes as writing
// each sub-block as it fills, without a check for the block's end at every code.
struct LzwBitBuffer
{
    uint64_t pending;      // bits not yet stored, lowest first
    uint32_t pendingCount; // how many, under 32 between codes
    unsigned char *bytes;  // the frame's code bytes (room: see lzwCodeBytesFor)
    size_t length;         // bytes stored so far
};

// Room a frame of this many pixels needs: at most one code per pixel, a clear code every
// 3838 codes and three codes to end, 12 bits each, and 4 bytes stored at a time.
inline size_t lzwCodeBytesFor(size_t pixels)
{
    return pixels * 2 + 64;
}

// Appends the low width bits of code (width 0 to 12) to the bit stream.
inline void emitCode(LzwBitBuffer *buffer, int code, int width)
{
    buffer->pending |= uint64_t(uint32_t(code) & ((1u << width) - 1)) << buffer->pendingCount;
    buffer->pendingCount += uint32_t(width);
    if (buffer->pendingCount >= 32) {
        const uint64_t bits = buffer->pending;
        unsigned char *out = buffer->bytes + buffer->length;
        out[0] = uint8_t(bits);
        out[1] = uint8_t(bits >> 8);
        out[2] = uint8_t(bits >> 16);
        out[3] = uint8_t(bits >> 24);
        buffer->length += 4;
        buffer->pending = bits >> 32;
        buffer->pendingCount -= 32;
    }
}

// Stores the bits still pending, the last byte padded with zero bits, and writes the code
// bytes as sub-blocks: 255 bytes each, the last one shorter (none when the bytes are a
// whole number of blocks).
void writeLzwSubBlocks(FILE *out, LzwBitBuffer *buffer);

#endif
