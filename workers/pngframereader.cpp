#include "workers/pngframereader.h"

#ifdef LUMORRA_FAST_PNG

#include "workers/framefile.h"
#include "workers/pngrows.h"

#include <QFile>
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
    // Chunks whose damage makes Qt's reader fail: header, palette, image data.
    QVector<Chunk> critical;
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
        if (!(type[0] & 0x20))
            layout->critical.append(chunk);
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
// straight into the frame. Every check Qt's reader makes on them is made here too. The
// image data is gathered in place, over the chunk boundaries between its pieces.
QImage decodePlain(const PngLayout &layout, uchar *data, PngScratch *scratch)
{
    for (const Chunk &chunk : layout.critical) {
        const uchar *crc = chunk.start + 8 + chunk.length;
        if (libdeflate_crc32(0, chunk.start + 4, size_t(chunk.length) + 4)
            != qFromBigEndian<quint32>(crc))
            return QImage();
    }
    uchar *compressed = data + (layout.imageData.first().start + 8 - data);
    size_t compressedSize = 0;
    for (const Chunk &chunk : layout.imageData) {
        memmove(compressed + compressedSize, chunk.start + 8, size_t(chunk.length));
        compressedSize += size_t(chunk.length);
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

// Every other kind up to 8 bits a sample, through libspng.
QImage decodeWithSpng(const uchar *data, qint64 size, const PngLayout &layout)
{
    std::unique_ptr<spng_ctx, void (*)(spng_ctx *)> context(spng_ctx_new(0), spng_ctx_free);
    QImage frame(layout.width, layout.height, QImage::Format_RGBA8888);
    if (!context || frame.isNull() || spng_set_png_buffer(context.get(), data, size_t(size))
        || spng_decode_image(context.get(), frame.bits(), size_t(frame.sizeInBytes()),
                             SPNG_FMT_RGBA8, SPNG_DECODE_TRNS))
        return QImage();
    return finished(std::move(frame), layout.transparency || layout.colourType == 4
                                          || layout.colourType == 6);
}

QImage decodePng(uchar *data, qint64 size, PngScratch *scratch)
{
    PngLayout layout;
    // Qt's reader rounds 16-bit samples to 8 bits, libspng cuts them.
    if (!readLayout(data, size, &layout) || layout.bitDepth > 8
        || !frameSizeAllowed(QSize(layout.width, layout.height)))
        return QImage();
    const bool plain = layout.bitDepth == 8 && (layout.colourType == 2 || layout.colourType == 6)
                       && !layout.interlaced && !layout.transparency;
    return plain ? decodePlain(layout, data, scratch) : decodeWithSpng(data, size, layout);
}

} // namespace

QImage readPngFrame(const QString &path, PngScratch *scratch)
{
    QFile file(path);
    // A PNG of the largest frame is far smaller; larger files, and files of other formats,
    // are left to Qt's reader.
    const qint64 size = file.size();
    char start[sizeof(PngSignature)];
    if (size > 2 * 4 * MaxFramePixels || !file.open(QIODevice::ReadOnly)
        || file.peek(start, sizeof(start)) != qint64(sizeof(start))
        || memcmp(start, PngSignature, sizeof(start)) != 0
        || !makeRoom(&scratch->file, size_t(size))
        || file.read(reinterpret_cast<char *>(scratch->file.data()), size) != size)
        return QImage();
    return decodePng(scratch->file.data(), size, scratch);
}

#else

// Without libspng and libdeflate every file goes through Qt's reader.
QImage readPngFrame(const QString &, PngScratch *)
{
    return QImage();
}

#endif
