#include "workers/framefile.h"

#include "encoder/gifstreamwriter.h"

#include <QImageReader>

#include <cstring>

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

bool pictureMayHaveAlpha(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid || format == QImage::Format_Mono
        || format == QImage::Format_MonoLSB || format == QImage::Format_Indexed8)
        return true;
    return QImage::toPixelFormat(format).alphaUsage() == QPixelFormat::UsesAlpha;
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
