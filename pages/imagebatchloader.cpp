#include "pages/imagebatchloader.h"

#include "workers/framecompose.h"
#include "workers/framefile.h"
#include "workers/memorybudget.h"

#include <QColor>
#include <QMetaObject>
#include <QPainter>
#include <QRunnable>

#include <functional>

namespace {

// The background of the tiles, around pictures that do not fill the box.
const QColor letterboxColour(0x3c, 0x3c, 0x3c);

// What the pictures being read side by side may take, whatever the number of threads and
// loaders: a few large pictures at a time, or one larger still alone.
MemoryBudget importMemory(qint64(512) << 20);

class ReadJob : public QRunnable
{
public:
    using Delivery = std::function<void(const QSize &size, const QImage &picture)>;

    ReadJob(int index, ImageBatchLoader::PictureReader read, Delivery deliver)
        : index(index), read(std::move(read)), deliver(std::move(deliver))
    {
    }

    void run() override
    {
        QSize size;
        const QImage picture = read(index, &size);
        deliver(picture.isNull() ? QSize() : size, picture);
    }

private:
    int index;
    ImageBatchLoader::PictureReader read;
    Delivery deliver;
};

QImage letterboxedThumbnail(const QString &path, const QSize &box, QSize *size)
{
    QImage picture = readPictureFitting(path, box, size, &importMemory);
    if (picture.isNull())
        return picture;
    // Clear or opaque, pixel by pixel, as in the GIF.
    picture = composeOnCanvas(picture, picture.size(), GifJobChoices());
    QImage thumbnail(box, QImage::Format_RGB32);
    thumbnail.fill(letterboxColour);
    QPainter painter(&thumbnail);
    painter.drawImage((box.width() - picture.width()) / 2,
                      (box.height() - picture.height()) / 2, picture);
    painter.end();
    return thumbnail;
}

}

ImageBatchLoader::ImageBatchLoader(QObject *parent) : QObject(parent) {}

ImageBatchLoader::~ImageBatchLoader()
{
    cancel();
}

void ImageBatchLoader::start(const QStringList &paths, const QSize &thumbnailSize)
{
    start(paths, [paths, thumbnailSize](int index, QSize *size) {
        return letterboxedThumbnail(paths.at(index), thumbnailSize, size);
    });
}

void ImageBatchLoader::start(const QStringList &paths, const PictureReader &read)
{
    cancel();
    this->paths = paths;
    results = QVector<Result>(paths.size());
    ready = QVector<bool>(paths.size(), false);
    nextToReport = 0;
    running = true;
    const int batch = ++batchNumber;
    for (int i = 0; i < paths.size(); ++i) {
        const auto deliver = [this, batch, i](const QSize &size, const QImage &thumbnail) {
            const Result result{size, thumbnail};
            QMetaObject::invokeMethod(
                this, [this, batch, i, result] { storeResult(batch, i, result); },
                Qt::QueuedConnection);
        };
        pool.start(new ReadJob(i, read, deliver));
    }
    if (paths.isEmpty()) {
        running = false;
        emit finished();
    }
}

void ImageBatchLoader::cancel()
{
    // Results still queued for an older batch are recognised by their number and dropped.
    ++batchNumber;
    pool.clear();
    pool.waitForDone();
    running = false;
    results.clear();
    ready.clear();
}

void ImageBatchLoader::storeResult(int batch, int index, const Result &result)
{
    if (batch != batchNumber || !running)
        return;
    results[index] = result;
    ready[index] = true;
    while (running && nextToReport < paths.size() && ready.at(nextToReport)) {
        const Result done = results.at(nextToReport);
        results[nextToReport] = Result();
        ++nextToReport;
        emit imageLoaded(paths.at(nextToReport - 1), done.size, done.thumbnail, nextToReport,
                         paths.size());
    }
    if (running && nextToReport == paths.size()) {
        running = false;
        emit finished();
    }
}
