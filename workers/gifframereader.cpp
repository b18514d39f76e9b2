#include "workers/gifframereader.h"
#include "workers/frameformat.h"

#include <QFile>

namespace {

// Every frame is decoded onto the whole canvas, 4 bytes a pixel, and a file of a few
// hundred bytes can declare a huge one: canvases of more than MaxFramePixels are refused
// before decoding, and so are files whose frames together would take hours and fill the
// disk.
const qint64 MostPixelsOfAllFrames = 16000LL * 1000 * 1000;

GifLayout layoutOf(QIODevice *device)
{
    // A file is mapped, so that the walk over its blocks costs no copy.
    auto *file = qobject_cast<QFile *>(device);
    const qint64 size = device->size();
    const uchar *mapped = file && size > 0 ? file->map(0, size) : nullptr;
    if (mapped) {
        const GifLayout layout = readGifLayout(mapped, size);
        file->unmap(const_cast<uchar *>(mapped));
        return layout;
    }
    const QByteArray bytes = device->readAll();
    device->seek(0);
    return readGifLayout(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

} // namespace

GifFrameReader::GifFrameReader(QIODevice *device)
    : fileLayout(layoutOf(device)), reader(device, QByteArray("gif"))
{
}

GifFrameReader::Problem GifFrameReader::problem() const
{
    if (!fileLayout.isGif)
        return Problem::NotAGif;
    const qint64 canvasPixels = qint64(fileLayout.canvas.width()) * fileLayout.canvas.height();
    if (canvasPixels > MaxFramePixels
        || canvasPixels * fileLayout.wholeFrames > MostPixelsOfAllFrames)
        return Problem::TooLarge;
    return fileLayout.wholeFrames == 0 ? Problem::NoWholeFrame : Problem::None;
}

QImage GifFrameReader::readFrame()
{
    if (problem() != Problem::None || framesRead >= fileLayout.wholeFrames)
        return QImage();
    framesRead++;
    return reader.read();
}
