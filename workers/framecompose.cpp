#include "workers/framecompose.h"

#include "encoder/clearpixel.h"

#include <cstring>

namespace {

// Scaled with Qt's smooth scaling, which averages the area each new pixel covers when it
// shrinks and interpolates when it grows; premultiplied, so that the colours of clear pixels
// do not bleed into their neighbours.
QImage scaledSmoothly(const QImage &picture, const QSize &size)
{
    const QImage::Format work = picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32;
    return picture.convertToFormat(work).scaled(size, Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation);
}

// The picture's pixels as the GIF shows them: clear or opaque, RGBX8888 when none is clear.
QImage framePixels(QImage picture)
{
    if (!picture.hasAlphaChannel())
        return std::move(picture).convertToFormat(QImage::Format_RGBX8888);
    QImage frame = std::move(picture).convertToFormat(QImage::Format_RGBA8888);
    bool anyClear = false;
    for (int y = 0; y < frame.height(); ++y) {
        uchar *pixel = frame.scanLine(y);
        for (int x = 0; x < frame.width(); ++x, pixel += 4) {
            if (isClearAlpha(pixel[3])) {
                memset(pixel, 0, 4);
                anyClear = true;
            } else {
                pixel[3] = 255;
            }
        }
    }
    if (!anyClear)
        frame.reinterpretAsFormat(QImage::Format_RGBX8888);
    return frame;
}

} // namespace

QSize resizedPicture(const QSize &picture, const QSize &resize)
{
    QSize size = picture;
    if (resize.width() > 0 && resize.height() > 0)
        size = picture.scaled(resize, Qt::KeepAspectRatio);
    else if (resize.width() > 0 && picture.width() > 0)
        size = QSize(resize.width(),
                     int((qint64(picture.height()) * resize.width() + picture.width() / 2)
                         / picture.width()));
    else if (resize.height() > 0 && picture.height() > 0)
        size = QSize(int((qint64(picture.width()) * resize.height() + picture.height() / 2)
                         / picture.height()),
                     resize.height());
    return size.expandedTo(QSize(1, 1));
}

QRect placedRect(const QSize &picture, const QSize &canvas, const GifJobChoices &choices)
{
    if (choices.placement == Placement::TopLeft)
        return QRect(QPoint(0, 0), resizedPicture(picture, choices.resize));
    const QSize size = choices.placement == Placement::ScaledToFit
                           ? picture.scaled(canvas, Qt::KeepAspectRatio).expandedTo(QSize(1, 1))
                           : resizedPicture(picture, choices.resize);
    return QRect(QPoint((canvas.width() - size.width()) / 2,
                        (canvas.height() - size.height()) / 2),
                 size);
}

QImage composeOnCanvas(QImage picture, const QSize &canvas, const GifJobChoices &choices)
{
    if (picture.isNull())
        return QImage();
    const QRect rect = placedRect(picture.size(), canvas, choices);
    if (rect.size() != picture.size())
        picture = scaledSmoothly(picture, rect.size());
    QImage pixels = framePixels(std::move(picture));
    const QRect whole(QPoint(0, 0), canvas);
    if (rect == whole)
        return pixels;

    QImage frame(canvas, QImage::Format_RGBA8888);
    if (frame.isNull())
        return QImage();
    frame.fill(0u);
    const QRect visible = rect & whole;
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        memcpy(frame.scanLine(y) + size_t(visible.left()) * 4,
               pixels.constScanLine(y - rect.top()) + size_t(visible.left() - rect.left()) * 4,
               size_t(visible.width()) * 4);
    return frame;
}

QImage shrinkFrame(QImage frame, const QSize &size)
{
    if (frame.isNull() || frame.size() == size)
        return frame;
    return framePixels(scaledSmoothly(frame, size));
}
