#ifndef IMAGEBATCHLOADER_H
#define IMAGEBATCHLOADER_H

#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QThreadPool>
#include <QVector>

#include <functional>

// Reads a list of image files on a pool of threads while the window keeps painting: each
// file's size and a picture made from it, by default a thumbnail letterboxed to a given
// size, never the whole picture. Hands the results back on the GUI thread strictly in list
// order.
class ImageBatchLoader : public QObject
{
    Q_OBJECT

public:
    explicit ImageBatchLoader(QObject *parent = nullptr);
    ~ImageBatchLoader() override;

    // Makes the picture of the file at index on a pool thread; sets *size to the file's
    // picture size. Null when the file cannot be a frame.
    using PictureReader = std::function<QImage(int index, QSize *size)>;

    void start(const QStringList &paths, const QSize &thumbnailSize);
    void start(const QStringList &paths, const PictureReader &read);
    // Drops the batch: queued files are not read and nothing more is reported.
    void cancel();
    bool isRunning() const { return running; }

signals:
    // One per file, in list order; the thumbnail is null when the file cannot be a frame.
    void imageLoaded(const QString &path, const QSize &size, const QImage &thumbnail,
                     int done, int total);
    void finished();

private:
    struct Result
    {
        QSize size;
        QImage thumbnail;
    };
    void storeResult(int batch, int index, const Result &result);

    QThreadPool pool;
    QStringList paths;
    QVector<Result> results;
    QVector<bool> ready;
    int nextToReport = 0;
    int batchNumber = 0;
    bool running = false;
};

#endif
