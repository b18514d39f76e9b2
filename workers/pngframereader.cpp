#include "workers/pngframereader.h"

#ifdef LUMORRA_HAVE_SPNG

#include "workers/framefile.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <cstring>
#include <memory>
#include <spng.h>

namespace {

const uchar PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// IEND: no data, and the only CRC it can have.
const uchar PngEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

bool isChunk(const uchar *type, const char *name)
{
    return memcmp(type, name, 4) == 0;
}

// Chunks before the image data that Qt's reader either needs as libspng does (IHDR, PLTE,
// tRNS) or turns into nothing but facts about the picture (colour space, resolution, text,
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

// True for a PNG laid out as known chunks, then one run of image data, then text or time
// chunks, then an intact end chunk. What lies past the end chunk is read by neither reader.
bool hasKnownLayout(const uchar *data, qint64 size)
{
    if (size < qint64(sizeof(PngSignature)) || memcmp(data, PngSignature, sizeof(PngSignature)))
        return false;
    enum { BeforeImage, InImage, AfterImage } part = BeforeImage;
    qint64 at = sizeof(PngSignature);
    while (size - at >= 12) {
        const uchar *chunk = data + at;
        const qint64 length = qFromBigEndian<quint32>(chunk);
        const uchar *type = chunk + 4;
        if (isChunk(type, "IEND"))
            return part != BeforeImage && memcmp(chunk, PngEnd, sizeof(PngEnd)) == 0;
        if (isChunk(type, "IDAT")) {
            if (part == AfterImage)
                return false;
            part = InImage;
        } else {
            if (part != BeforeImage)
                part = AfterImage;
            if (part == BeforeImage ? !isKnownLeadingChunk(type) : !isKnownTrailingChunk(type))
                return false;
        }
        if (length > size - at - 12)
            return false;
        at += 12 + length;
    }
    return false;
}

bool everyPixelOpaque(const QImage &rgba)
{
    const uchar *bytes = rgba.constBits();
    const size_t pixels = size_t(rgba.width()) * size_t(rgba.height());
    uchar alpha = 0xFF;
    for (size_t i = 0; i < pixels; ++i)
        alpha &= bytes[i * 4 + 3];
    return alpha == 0xFF;
}

QImage decodePng(const uchar *data, qint64 size)
{
    if (!hasKnownLayout(data, size))
        return QImage();
    std::unique_ptr<spng_ctx, void (*)(spng_ctx *)> context(spng_ctx_new(0), spng_ctx_free);
    spng_ihdr header;
    if (!context || spng_set_png_buffer(context.get(), data, size_t(size))
        || spng_get_ihdr(context.get(), &header))
        return QImage();
    // Qt's reader rounds 16-bit samples to 8 bits, libspng cuts them.
    const QSize pictureSize(int(qMin<quint32>(header.width, INT_MAX)),
                            int(qMin<quint32>(header.height, INT_MAX)));
    if (header.bit_depth > 8 || !frameSizeAllowed(pictureSize))
        return QImage();
    QImage frame(pictureSize, QImage::Format_RGBA8888);
    if (frame.isNull()
        || spng_decode_image(context.get(), frame.bits(), size_t(frame.sizeInBytes()),
                             SPNG_FMT_RGBA8, SPNG_DECODE_TRNS))
        return QImage();
    spng_trns transparency;
    const bool mayBeTranslucent = header.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA
                                  || header.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA
                                  || spng_get_trns(context.get(), &transparency) == 0;
    // Qt's reader gives such a picture an alpha channel, and frameFromPicture changes the
    // pixels that are not opaque.
    if (mayBeTranslucent && !everyPixelOpaque(frame))
        return frameFromPicture(std::move(frame));
    return frame;
}

} // namespace

QImage readPngFrame(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const qint64 size = file.size();
    if (const uchar *mapped = size > 0 ? file.map(0, size) : nullptr)
        return decodePng(mapped, size);
    const QByteArray bytes = file.readAll();
    return decodePng(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

#else

// Without libspng every file goes through Qt's reader.
QImage readPngFrame(const QString &)
{
    return QImage();
}

#endif
