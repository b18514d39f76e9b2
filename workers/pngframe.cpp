#include "workers/pngframe.h"

#include "workers/partialfile.h"

#include <QFile>
#include <QImageWriter>

namespace {

// Qt maps the writer's quality q to zlib level (100 - q) * 9 / 91: 80 gives level 1, the
// fastest level that still compresses. The default level 6 costs about three times as
// much for files a few percent smaller.
const int PngQuality = 80;

bool everyPixelOpaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return true;
    if (image.format() != QImage::Format_ARGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb alpha = 0xFF000000u;
        for (int x = 0; x < image.width(); ++x)
            alpha &= row[x];
        if ((alpha & 0xFF000000u) != 0xFF000000u)
            return false;
    }
    return true;
}

// The reader leaves whatever was in its memory under pixels that are fully transparent;
// they are cleared so that a frame always gives the same file and no stray bytes get out.
QImage clearedUnderTransparency(QImage frame)
{
    if (frame.format() != QImage::Format_ARGB32)
        return frame;
    for (int y = 0; y < frame.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if (qAlpha(row[x]) == 0 && row[x] != 0) {
                QRgb *writable = reinterpret_cast<QRgb *>(frame.scanLine(y)); // may detach
                writable[x] = 0;
                row = writable;
            }
        }
    }
    return frame;
}

// A file that refuses every write once the job is stopped: the PNG writer then gives up in
// the middle of a large frame instead of finishing it.
class StoppableFile : public QFile
{
public:
    StoppableFile(const QString &name, const std::function<bool()> &stopped)
        : QFile(name), stopped(stopped)
    {
    }

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        return stopped && stopped() ? -1 : QFile::writeData(data, size);
    }

private:
    const std::function<bool()> &stopped;
};

bool writePng(const QImage &frame, const QString &path, const std::function<bool()> &stopped)
{
    StoppableFile file(path, stopped);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    writer.setQuality(PngQuality);
    // Without transparency, 3 bytes a pixel hold the same picture as 4.
    const bool encoded = frame.format() != QImage::Format_RGB888 && everyPixelOpaque(frame)
                             ? writer.write(frame.convertToFormat(QImage::Format_RGB888))
                             : writer.write(clearedUnderTransparency(frame));
    // The file holds back small writes, and the writer does not look at their flush: a
    // full disk may show only here.
    if (!encoded || !file.flush())
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace

bool savePngFrame(const QImage &frame, const QString &path,
                  const std::function<bool()> &stopped)
{
    PartialFile partial(path);
    return partial.isOpen() && writePng(frame, partial.path(), stopped) && partial.commit();
}
