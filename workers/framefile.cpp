#include "workers/framefile.h"

#include "encoder/gifstreamwriter.h"

#include <QImageReader>

bool frameSizeAllowed(const QSize &size)
{
    return size.width() >= 1 && size.height() >= 1 && size.width() <= MaxGifSide
           && size.height() <= MaxGifSide
           && qint64(size.width()) * size.height() <= MaxFramePixels;
}

QSize openPicture(QImageReader *reader)
{
    reader->setDecideFormatFromContent(true);
    const QSize size = reader->size();
    if (!size.isValid())
        return reader->canRead() ? QSize(0, 0) : QSize();
    return frameSizeAllowed(size) ? size : QSize();
}

QSize pictureFrameSize(QImageReader *reader)
{
    const QSize size = openPicture(reader);
    if (!size.isValid() || !size.isEmpty())
        return size;
    const QSize decoded = reader->read().size();
    return frameSizeAllowed(decoded) ? decoded : QSize();
}

QImage frameFromPicture(QImage picture)
{
    // A pixmap keeps pictures that have an alpha channel premultiplied; for opaque pixels
    // that changes nothing, so opaque pictures need not be told apart.
    const QImage::Format shown = picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32;
    return std::move(picture).convertToFormat(shown).convertToFormat(QImage::Format_RGBA8888);
}

QImage readPictureFitting(const QString &path, const QSize &box, QSize *size)
{
    QImageReader reader(path);
    *size = openPicture(&reader);
    if (!size->isValid())
        return QImage();
    const auto fitted = [&box](const QSize &whole) {
        return whole.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    };
    if (!size->isEmpty())
        reader.setScaledSize(fitted(*size));
    QImage picture = reader.read();
    if (picture.isNull() || !size->isEmpty())
        return picture;
    *size = picture.size();
    if (!frameSizeAllowed(*size))
        return QImage();
    return picture.scaled(fitted(*size), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage readFrameFile(const QString &path, PngScratch *scratch)
{
    PngScratch ownScratch;
    QImage frame = readPngFrame(path, scratch ? scratch : &ownScratch);
    if (!frame.isNull())
        return frame;
    QImageReader reader(path);
    if (!openPicture(&reader).isValid())
        return QImage();
    QImage picture = reader.read();
    if (!frameSizeAllowed(picture.size()))
        return QImage();
    return frameFromPicture(std::move(picture));
}
