#include "workers/frameformat.h"

#include "encoder/gifstreamwriter.h"

bool frameSizeAllowed(const QSize &size)
{
    return size.width() >= 1 && size.height() >= 1 && size.width() <= MaxGifSide
           && size.height() <= MaxGifSide
           && qint64(size.width()) * size.height() <= MaxFramePixels;
}

QImage frameFromPicture(QImage picture)
{
    // A pixmap keeps pictures that have an alpha channel premultiplied; for opaque pixels
    // that changes nothing, so opaque pictures need not be told apart.
    const QImage::Format shown = picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32;
    return std::move(picture).convertToFormat(shown).convertToFormat(QImage::Format_RGBA8888);
}
