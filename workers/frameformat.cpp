#include "workers/frameformat.h"

#include "encoder/gifstreamwriter.h"

#include <cstring>

bool frameSizeAllowed(const QSize &size)
{
    return size.width() >= 1 && size.height() >= 1 && size.width() <= MaxGifSide
           && size.height() <= MaxGifSide
           && qint64(size.width()) * size.height() <= MaxFramePixels;
}

QImage frameFromPicture(QImage picture)
{
    if (!picture.hasAlphaChannel())
        return std::move(picture).convertToFormat(QImage::Format_RGBX8888);
    QImage frame = std::move(picture).convertToFormat(QImage::Format_RGBA8888);
    uchar *bytes = frame.bits();
    const size_t pixels = size_t(frame.width()) * size_t(frame.height());
    uchar alpha = 0xFF;
    for (size_t i = 0; i < pixels; ++i) {
        alpha &= bytes[i * 4 + 3];
        // Decoders differ in the colour they give a pixel nobody sees.
        if (bytes[i * 4 + 3] == 0)
            memset(bytes + i * 4, 0, 4);
    }
    if (alpha == 0xFF)
        frame.reinterpretAsFormat(QImage::Format_RGBX8888);
    return frame;
}
