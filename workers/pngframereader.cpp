#include "workers/pngframereader.h"

#ifdef LUMORRA_FAST_PNG

#include "workers/frameformat.h"
#include "workers/pngrows.h"

#include <QVector>
#include <QtEndian>

#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <new>
#include <spng.h>

namespace {

const uchar PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// IEND: no data, and the only CRC it can have.
const uchar PngEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

bool isChunk(const uchar *type, const char *name)
{
    return memcmp(type, name, 4) == 0;
}

// Chunks before the image data that Qt's reader either needs as we do (IHDR, PLTE, tRNS)
// or turns into nothing but facts about the picture (colour space, resolution, text,
// time), so that they cannot change its pixels; the tests show it for each.
bool isKnownLeadingChunk(const uchar *type)
{
    static const char *const known[] = {"IHDR", "PLTE", "tRNS", "gAMA", "cHRM", "sRGB",
                                        "iCCP", "sBIT", "bKGD", "pHYs", "tEXt", "zTXt",
                                        "iTXt", "tIME"};
    for (const char *name : known) {
        if (isChunk(type, name))
            return true;
    }
    return false;
}

bool isKnownTrailingChunk(const uchar *type)
{
    return isChunk(type, "tEXt") || isChunk(type, "zTXt") || isChunk(type, "iTXt")
           || isChunk(type, "tIME");
}

struct Chunk
{
    const uchar *start; // its length field
    qint64 length;      // of its data
};

// A PNG laid out as known chunks, then one run of image data, then text or time chunks,
// then an intact end chunk; what lies past the end chunk is read by neither reader.
struct PngLayout
{
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
    bool transparency = false; // a tRNS chunk
    int palette = 0;           // PLTE chunks
    int paletteEntries = 0;
    QVector<Chunk> imageData;
};

bool readLayout(const uchar *data, qint64 size, PngLayout *layout)
{
    if (size < qint64(sizeof(PngSignature)) || memcmp(data, PngSignature, sizeof(PngSignature)))
        return false;
    enum { BeforeImage, InImage, AfterImage } part = BeforeImage;
    for (qint64 at = sizeof(PngSignature); size - at >= 12;) {
        const Chunk chunk = {data + at, qFromBigEndian<quint32>(data + at)};
        const uchar *type = chunk.start + 4;
        if (isChunk(type, "IEND"))
            return part != BeforeImage && memcmp(chunk.start, PngEnd, sizeof(PngEnd)) == 0;
        if (chunk.length > size - at - 12)
            return false;
        if (isChunk(type, "IDAT")) {
            if (part == AfterImage)
                return false;
            part = InImage;
            layout->imageData.append(chunk);
        } else {
            if (part != BeforeImage)
                part = AfterImage;
            if (part == BeforeImage ? !isKnownLeadingChunk(type) : !isKnownTrailingChunk(type))
                return false;
        }
        // Qt's reader fails on a second palette, and on methods PNG does not define.
        if (isChunk(type, "PLTE") && layout->palette++)
            return false;
        if (isChunk(type, "PLTE"))
            layout->paletteEntries = int(chunk.length / 3);
        if (isChunk(type, "IHDR")) {
            const uchar *header = chunk.start + 8;
            if (at != qint64(sizeof(PngSignature)) || chunk.length != 13 || header[10]
                || header[11])
                return false;
            layout->width = int(qMin<quint32>(qFromBigEndian<quint32>(header), INT_MAX));
            layout->height = int(qMin<quint32>(qFromBigEndian<quint32>(header + 4), INT_MAX));
            layout->bitDepth = header[8];
            layout->colourType = header[9];
            layout->interlaced = header[12] != 0;
        }
        layout->transparency = layout->transparency || isChunk(type, "tRNS");
        at += 12 + chunk.length;
    }
    return false;
}

// Qt's reader gives a picture with transparency an alpha channel, and frameFromPicture
// tells the frames whose pixels are all opaque from the others.
QImage finished(QImage frame, bool mayBeTranslucent)
{
    if (mayBeTranslucent)
        return frameFromPicture(std::move(frame));
    frame.reinterpretAsFormat(QImage::Format_RGBX8888);
    return frame;
}

// Makes room for size bytes in a buffer kept from file to file; false when there is none.
bool makeRoom(std::vector<uchar> *buffer, size_t size)
{
    try {
        if (buffer->size() < size)
            buffer->resize(size);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

// 8-bit RGB and RGBA without transparency chunk or interlacing, by far the most common
// frames: inflated whole by libdeflate, which takes half zlib's time, and unfiltered
// straight into the frame. Every check Qt's reader makes on them is made here or, for the
// CRCs, by pictureBytesIntact before.
QImage decodePlain(const PngLayout &layout, PngScratch *scratch)
{
    size_t compressedSize = 0;
    for (const Chunk &chunk : layout.imageData)
        compressedSize += size_t(chunk.length);
    if (!makeRoom(&scratch->compressed, compressedSize))
        return QImage();
    uchar *compressed = scratch->compressed.data();
    size_t gathered = 0;
    for (const Chunk &chunk : layout.imageData) {
        memcpy(compressed + gathered, chunk.start + 8, size_t(chunk.length));
        gathered += size_t(chunk.length);
    }
    const int channels = layout.colourType == 6 ? 4 : 3;
    const size_t filteredSize = size_t(layout.height) * (size_t(layout.width) * channels + 1);
    QImage frame(layout.width, layout.height, QImage::Format_RGBA8888);
    std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor *)> inflater(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    // One spare byte after the rows, which unfilterToRgba may read.
    if (frame.isNull() || !inflater || !makeRoom(&scratch->filtered, filteredSize + 1)
        || libdeflate_zlib_decompress(inflater.get(), compressed, compressedSize,
                                      scratch->filtered.data(), filteredSize, nullptr)
               != LIBDEFLATE_SUCCESS
        || !unfilterToRgba(scratch->filtered.data(), layout.width, layout.height, channels,
                           frame.bits()))
        return QImage();
    return finished(std::move(frame), channels == 4);
}

using SpngContext = std::unique_ptr<spng_ctx, void (*)(spng_ctx *)>;

SpngContext spngContext(const uchar *data, size_t size)
{
    SpngContext context(spng_ctx_new(0), spng_ctx_free);
    if (context && spng_set_png_buffer(context.get(), data, size))
        context.reset();
    return context;
}

// Whether every palette index lies within the palette. libspng shows an index beyond it
// as opaque black, Qt's reader as the colour of entry 0.
bool paletteIndicesFit(const uchar *data, size_t size, const PngLayout &layout,
                       PngScratch *scratch)
{
    if (layout.colourType != 3 || layout.paletteEntries >= 1 << layout.bitDepth)
        return true;
    const SpngContext context = spngContext(data, size);
    size_t indexBytes = 0;
    if (!context || spng_decoded_image_size(context.get(), SPNG_FMT_PNG, &indexBytes)
        || !makeRoom(&scratch->filtered, indexBytes)
        || spng_decode_image(context.get(), scratch->filtered.data(), indexBytes, SPNG_FMT_PNG,
                             0))
        return false;
    const size_t rowBytes = indexBytes / size_t(layout.height);
    const int depth = layout.bitDepth;
    for (int y = 0; y < layout.height; ++y) {
        const uchar *row = scratch->filtered.data() + size_t(y) * rowBytes;
        for (int x = 0; x < layout.width; ++x) {
            const int bit = x * depth;
            const int index = (row[bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1);
            if (index >= layout.paletteEntries)
                return false;
        }
    }
    return true;
}

// Every other kind up to 8 bits a sample, through libspng.
QImage decodeWithSpng(const uchar *data, size_t size, const PngLayout &layout,
                      PngScratch *scratch)
{
    if (!paletteIndicesFit(data, size, layout, scratch))
        return QImage();
    const SpngContext context = spngContext(data, size);
    QImage frame(layout.width, layout.height, QImage::Format_RGBA8888);
    // Cleared first: no byte of earlier use may reach a frame, whatever the decoder skips.
    frame.fill(0);
    if (!context || frame.isNull()
        || spng_decode_image(context.get(), frame.bits(), size_t(frame.sizeInBytes()),
                             SPNG_FMT_RGBA8, SPNG_DECODE_TRNS))
        return QImage();
    return finished(std::move(frame), layout.transparency || layout.colourType == 4
                                          || layout.colourType == 6);
}

} // namespace

QImage decodePngFrame(const uchar *data, size_t size, PngScratch *scratch)
{
    PngLayout layout;
    // Qt's reader rounds 16-bit samples to 8 bits, libspng cuts them.
    if (!readLayout(data, qint64(size), &layout) || layout.bitDepth > 8
        || !frameSizeAllowed(QSize(layout.width, layout.height)))
        return QImage();
    const bool plain = layout.bitDepth == 8 && (layout.colourType == 2 || layout.colourType == 6)
                       && !layout.interlaced && !layout.transparency;
    return plain ? decodePlain(layout, scratch) : decodeWithSpng(data, size, layout, scratch);
}

#else

// Without libspng and libdeflate every file goes through Qt's reader.
QImage decodePngFrame(const unsigned char *, size_t, PngScratch *)
{
    return QImage();
}

#endif
