#include "pages/imagebatchloader.h"

#include <QImageReader>
#include <QMetaObject>
#include <QRunnable>

#include <functional>

namespace {

class DecodeJob : public QRunnable
{
public:
    DecodeJob(const QString &path, std::function<void(const QImage &)> deliver)
        : path(path), deliver(std::move(deliver))
    {
    }

    void run() override
    {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        deliver(reader.read());
    }

private:
    QString path;
    std::function<void(const QImage &)> deliver;
};

}

ImageBatchLoader::ImageBatchLoader(QObject *parent) : QObject(parent) {}

ImageBatchLoader::~ImageBatchLoader()
{
    cancel();
}

void ImageBatchLoader::start(const QStringList &paths)
{
    cancel();
    this->paths = paths;
    results = QVector<QImage>(paths.size());
    ready = QVector<bool>(paths.size(), false);
    nextToReport = 0;
    running = true;
    const int batch = ++batchNumber;
    for (int i = 0; i < paths.size(); ++i) {
        pool.start(new DecodeJob(paths.at(i), [this, batch, i](const QImage &image) {
            QMetaObject::invokeMethod(
                this, [this, batch, i, image] { storeResult(batch, i, image); },
                Qt::QueuedConnection);
        }));
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

void ImageBatchLoader::storeResult(int batch, int index, const QImage &image)
{
    if (batch != batchNumber || !running)
        return;
    results[index] = image;
    ready[index] = true;
    while (running && nextToReport < paths.size() && ready.at(nextToReport)) {
        const QImage done = results.at(nextToReport);
        results[nextToReport] = QImage();
        ++nextToReport;
        emit imageLoaded(paths.at(nextToReport - 1), done, nextToReport, paths.size());
    }
    if (running && nextToReport == paths.size()) {
        running = false;
        emit finished();
    }
}
