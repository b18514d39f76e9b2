#include "workers/picturecheck.h"
#include "workers/frameformat.h"
#include "workers/giflayout.h"

#include <cstdint>
#include <cstring>

#ifdef LUMORRA_FAST_PNG
#include <libdeflate.h>
#endif

namespace {

uint32_t bigEndian32(const unsigned char *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint32_t littleEndian32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

#ifdef LUMORRA_FAST_PNG

// Several gigabytes a second: the check of a frame's PNG costs little beside its decoding.
uint32_t crc32(const unsigned char *data, size_t size)
{
    return libdeflate_crc32(0, data, size);
}

#else

uint32_t crc32(const unsigned char *data, size_t size)
{
    static const struct Table
    {
        uint32_t entries[256];
        Table()
        {
            for (uint32_t n = 0; n < 256; ++n) {
                uint32_t c = n;
                for (int k = 0; k < 8; ++k)
                    c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                entries[n] = c;
            }
        }
    } table;
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        c = table.entries[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

#endif

// Deflate gives at most 258 bytes for 2 bits, so image data shorter than 1/1032 of the rows
// it must give is too little, known before anything is allocated for the picture.
bool pngImageDataCanFill(const unsigned char *header, uint64_t imageData)
{
    static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
    const uint64_t width = bigEndian32(header);
    const uint64_t height = bigEndian32(header + 4);
    const int colourType = header[9];
    const uint64_t bits = width * uint64_t(header[8]) * (colourType < 7 ? channels[colourType] : 0);
    return height == 0 || (bits + 7) / 8 <= (1032 * imageData + 1032) / height;
}

bool pngIntact(const unsigned char *data, size_t size)
{
    uint64_t imageData = 0;
    bool imageChunk = false;
    for (size_t at = 8; size - at >= 12;) {
        const uint32_t length = bigEndian32(data + at);
        const unsigned char *type = data + at + 4;
        if (length > size - at - 12 || (at == 8 && (memcmp(type, "IHDR", 4) || length != 13)))
            return false;
        if (crc32(type, length + 4) != bigEndian32(type + 4 + length))
            return false;
        if (memcmp(type, "IEND", 4) == 0)
            return imageChunk && pngImageDataCanFill(data + 16, imageData);
        if (memcmp(type, "IDAT", 4) == 0) {
            imageChunk = true;
            imageData += length;
        }
        at += 12 + length;
    }
    return false;
}

bool jpegIntact(const unsigned char *data, size_t size)
{
    bool scanned = false;
    size_t at = 2;
    for (;;) {
        // A marker, after any number of fill bytes.
        if (at >= size || data[at] != 0xFF)
            return false;
        while (at < size && data[at] == 0xFF)
            at++;
        if (at >= size)
            return false;
        const unsigned char marker = data[at++];
        if (marker == 0xD9)
            return scanned;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (size - at < 2)
            return false;
        const size_t length = size_t(data[at]) << 8 | data[at + 1];
        if (length < 2 || length > size - at)
            return false;
        at += length;
        if (marker != 0xDA)
            continue;
        // The entropy-coded data runs to the next marker that is neither a stuffed zero nor
        // a restart.
        scanned = true;
        while (at + 1 < size
               && !(data[at] == 0xFF && data[at + 1] != 0
                    && !(data[at + 1] >= 0xD0 && data[at + 1] <= 0xD7)))
            at++;
    }
}

// Whether compressed BMP data from offset reaches its end-of-bitmap code or the end of its
// last row within the file.
bool bmpRunsIntact(const unsigned char *data, size_t size, size_t at, int64_t rows,
                   int bitsPerPixel)
{
    int64_t row = 0;
    while (row < rows) {
        if (size - at < 2)
            return false;
        const unsigned count = data[at];
        const unsigned code = data[at + 1];
        at += 2;
        if (count > 0)
            continue; // a run of count pixels
        if (code == 0) {
            row++;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (size - at < 2)
                return false;
            row += data[at + 1];
            at += 2;
        } else {
            // code pixels given one by one, padded to a whole 16-bit word.
            const size_t bytes = bitsPerPixel == 8 ? code : (code + 1) / 2;
            const size_t padded = (bytes + 1) & ~size_t(1);
            if (size - at < padded)
                return false;
            at += padded;
        }
    }
    return true;
}

bool bmpIntact(const unsigned char *data, size_t size)
{
    if (size < 26)
        return false;
    const uint32_t pixelOffset = littleEndian32(data + 10);
    const uint32_t headerSize = littleEndian32(data + 14);
    int64_t width = 0;
    int64_t height = 0;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {
        width = data[18] | data[19] << 8;
        height = data[20] | data[21] << 8;
        bitsPerPixel = data[24] | data[25] << 8;
    } else {
        if (headerSize < 40 || size < 34)
            return false;
        width = int32_t(littleEndian32(data + 18));
        height = int32_t(littleEndian32(data + 22));
        bitsPerPixel = data[28] | data[29] << 8;
        compression = littleEndian32(data + 30);
    }
    const int64_t rows = height < 0 ? -height : height;
    if (width <= 0 || rows == 0 || pixelOffset > size)
        return false;
    if (compression == 1 || compression == 2)
        return bmpRunsIntact(data, size, pixelOffset, rows, compression == 1 ? 8 : 4);
    // Uncompressed rows, each padded to a whole 32-bit word; other compressions are left to
    // the reader, which refuses them.
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    const int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return rowBytes <= int64_t(size - pixelOffset) / rows;
}

} // namespace

bool pictureBytesIntact(const unsigned char *data, size_t size)
{
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && memcmp(data, png, 8) == 0)
        return pngIntact(data, size);
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return jpegIntact(data, size);
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return bmpIntact(data, size);
    // Qt's reader tells the size of the first frame but decodes onto the whole screen.
    if (size >= 6 && (memcmp(data, "GIF87a", 6) == 0 || memcmp(data, "GIF89a", 6) == 0)) {
        const GifLayout layout = readGifLayout(data, qint64(size));
        return layout.wholeFrames > 0 && frameSizeAllowed(layout.canvas);
    }
    return true;
}
