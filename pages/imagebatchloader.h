#ifndef IMAGEBATCHLOADER_H
#define IMAGEBATCHLOADER_H

#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QVector>

// Decodes a list of image files on a pool of threads while the window keeps painting,
// and hands the results back on the GUI thread strictly in list order.
class ImageBatchLoader : public QObject
{
    Q_OBJECT

public:
    explicit ImageBatchLoader(QObject *parent = nullptr);
    ~ImageBatchLoader() override;

    void start(const QStringList &paths);
    // Drops the batch: queued files are not decoded and nothing more is reported.
    void cancel();

signals:
    // One per file, in list order; the image is null when the file could not be read.
    void imageLoaded(const QString &path, const QImage &image, int done, int total);
    void finished();

private:
    void storeResult(int batch, int index, const QImage &image);

    QThreadPool pool;
    QStringList paths;
    QVector<QImage> results;
    QVector<bool> ready;
    int nextToReport = 0;
    int batchNumber = 0;
    bool running = false;
};

#endif
