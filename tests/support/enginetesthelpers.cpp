#include "support/enginetesthelpers.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"

#include <QColor>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QThread>

QImage flatFrame(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    image.fill(QColor::fromRgb(colour));
    return image;
}

QImage noisyFrame(int width, int height, QRandomGenerator *random)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width * 4; ++x)
            row[x] = uchar(random->bounded(256));
    }
    return image;
}

QImage opaqueFrame(const QImage &image)
{
    QImage opaque = image.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < opaque.height(); ++y) {
        uchar *row = opaque.scanLine(y);
        for (int x = 0; x < opaque.width(); ++x)
            row[x * 4 + 3] = 255;
    }
    return opaque;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool encodeFrames(const QString &path, const QVector<QImage> &frames, QSize canvas, int delay,
                  int depth, const GifOptions &options)
{
    GifFileState state = openGifStream(QFile::encodeName(path).constData(), canvas.width(),
                                       canvas.height(), delay, options);
    GifEncoder encoder;
    for (const QImage &frame : frames) {
        const QImage rgba = frame.convertToFormat(QImage::Format_RGBA8888);
        encoder.encodeFrame(&state, rgba.constBits(), rgba.width(), rgba.height(), delay, depth);
    }
    return closeGifStream(&state);
}

QVector<QImage> encodeRecordingShown(const QString &path, const QVector<QImage> &frames,
                                     QSize canvas, QVector<bool> *written,
                                     const GifOptions &options, const QVector<int> &levels)
{
    QVector<QImage> shown;
    GifFileState state = openGifStream(QFile::encodeName(path).constData(), canvas.width(),
                                       canvas.height(), 10, options);
    GifEncoder encoder;
    for (int given = 0; given < frames.size(); ++given) {
        const QImage &frame = frames[given];
        if (given > 0 && given <= levels.size())
            setGifStreamQuality(&state, levels[given - 1]);
        const bool ok = encoder.encodeFrame(&state, frame.constBits(), frame.width(),
                                            frame.height(), 10, 8);
        if (written)
            written->append(ok);
        if (!ok)
            continue;
        QImage image(canvas, QImage::Format_RGBA8888);
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const int i = y * canvas.width() + x;
                const uchar *p = state.previousFrame + i * 4;
                const bool covered = x < state.coveredWidth[y]
                                     && !(state.shownClear && state.shownClear[i]);
                image.setPixelColor(x, y, covered ? QColor(p[0], p[1], p[2]) : Qt::transparent);
            }
        }
        shown.append(image);
    }
    closeGifStream(&state);
    return shown;
}

QList<int> progressOf(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : spy)
        values.append(arguments.at(0).toInt());
    return values;
}

bool runToEnd(QThread *worker)
{
    QSignalSpy finished(worker, &QThread::finished);
    worker->start(QThread::InheritPriority);
    return worker->wait(60000) && finished.count() == 1;
}

bool runToEnd(GifCreaterThread *worker, const GifJob &job)
{
    QSignalSpy finished(worker, &QThread::finished);
    worker->startJob(job);
    return worker->wait(60000) && finished.count() == 1;
}

GifJob imagesJob(const QString &gifPath, const QList<QImage> &images, int delay)
{
    QList<FrameSource> frames;
    for (const QImage &image : images) {
        frames << FrameSource::fromImage(image);
        frames.last().delay = delay;
    }
    GifJob job = makeGifJob(gifPath, frames, GifJobChoices());
    job.delay = delay;
    return job;
}
