// The encoder and the creation worker write exactly the bytes of the straightforward
// reference encoder, on random and on real sequences.
#include "support/enginetesthelpers.h"
#include "support/referenceencoder.h"
#include "encoder/palettebuilder.h"
#include "workers/gifcreaterthread.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

// Few distinct colours: palettes full of equal entries, so most searches end in ties.
QImage fewColoursFrame(int width, int height, int levels, QRandomGenerator *random)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    const int step = 255 / (levels - 1);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width * 4; ++x)
            row[x] = uchar(step * random->bounded(levels));
    }
    return image;
}

// Photo-like: smooth waves with a little grain, seen through a window at (dx, dy).
QImage smoothFrame(int width, int height, int dx, int dy, QRandomGenerator *random)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const double u = (x + dx) * 0.031;
            const double v = (y + dy) * 0.027;
            const int grain = random->bounded(7) - 3;
            row[x * 4 + 0] = uchar(qBound(0, int(128 + 100 * std::sin(u) * std::cos(v)) + grain, 255));
            row[x * 4 + 1] = uchar(qBound(0, int(128 + 90 * std::sin(u * 0.7 + v)) + grain, 255));
            row[x * 4 + 2] = uchar(qBound(0, int(128 + 110 * std::cos(u - v * 1.3)), 255));
            row[x * 4 + 3] = 255;
        }
    }
    return image;
}

// The frame with a few pixels changed.
QImage touchedFrame(QImage image, int changes, QRandomGenerator *random)
{
    for (int i = 0; i < changes; ++i)
        image.setPixel(random->bounded(image.width()), random->bounded(image.height()),
                       random->generate() | 0xFF000000);
    return image;
}

QByteArray encodeWithWorker(const QString &path, const QVector<QImage> &frames,
                            QSize canvas, int delay)
{
    GifJob job = imagesJob(path, frames.toList(), delay);
    job.canvas = canvas;
    GifCreaterThread creater;
    return runToEnd(&creater, job) && creater.outcome == JobOutcome::Completed ? readFile(path)
                                                                              : QByteArray();
}

QSize canvasOf(const QVector<QImage> &frames)
{
    QSize canvas(1, 1);
    for (const QImage &frame : frames)
        canvas = canvas.expandedTo(frame.size());
    return canvas;
}

} // namespace

// Stops the test at the first input whose bytes differ, naming it.
#define VERIFY_SAME_AS_REFERENCE(...)                                                      \
    do {                                                                                   \
        const QString difference = differenceFromReference(__VA_ARGS__);                   \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                            \
    } while (false)

class TestEncoderEquivalence : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Empty when the encoder writes the reference's bytes; otherwise which input and which
    // writer differ. Frames that fill the canvas, made opaque, give the same bytes when the
    // encoder honours alpha, and through the worker, which always uses palettes of 256
    // entries (and places smaller pictures on a clear canvas).
    QString differenceFromReference(const QString &name, const QVector<QImage> &frames,
                                    QSize canvas, int delay = 10, int depth = 8)
    {
        const QByteArray expected = reference::encodeGif(frames, canvas, delay, depth);
        const QString encoded = dir.filePath(name + "-encoder.gif");
        if (!encodeFrames(encoded, frames, canvas, delay, depth) || readFile(encoded) != expected)
            return name + ": the encoder differs";
        for (const QImage &frame : frames) {
            if (frame.size() != canvas)
                return QString();
        }
        QVector<QImage> opaque;
        for (const QImage &frame : frames)
            opaque.append(opaqueFrame(frame));
        GifOptions alpha;
        alpha.alpha = true;
        const QString clear = dir.filePath(name + "-alpha.gif");
        if (!encodeFrames(clear, opaque, canvas, delay, depth, alpha) || readFile(clear) != expected)
            return name + ": the encoder honouring alpha differs";
        // Known opaque, the worker leaves alpha aside.
        for (QImage &frame : opaque)
            frame = frame.convertToFormat(QImage::Format_RGBX8888);
        if (depth == 8
            && encodeWithWorker(dir.filePath(name + "-worker.gif"), opaque, canvas, delay)
                   != expected)
            return name + ": the worker differs";
        return QString();
    }

private slots:
    void everyPartitionKernelMovesPixelsLikeTheReference()
    {
        // The order a partition leaves behind steers every later split, so it must match
        // pixel for pixel: long runs that go low (where the moves overlap), runs of equal
        // values, sorted and reversed input, every length around the 16-pixel blocks.
        QRandomGenerator random(29);
        for (int run = 0; run < 400; ++run) {
            const int n = 2 + random.bounded(run < 200 ? 70 : 700);
            const int shape = run % 5;
            QVector<uchar> pixels(n * 4);
            for (int i = 0; i < n * 4; ++i) {
                if (shape == 0)
                    pixels[i] = uchar(random.bounded(256));
                else if (shape == 1)
                    pixels[i] = uchar(random.bounded(3));
                else if (shape == 2)
                    pixels[i] = uchar(i / 4 % 256);
                else if (shape == 3)
                    pixels[i] = uchar(255 - i / 4 % 256);
                else
                    pixels[i] = uchar(random.bounded(2) ? 7 : random.bounded(256));
            }
            const int axis = random.bounded(3);
            const size_t pivot = size_t(random.bounded(n));
            QVector<uchar> expected = pixels;
            const size_t expectedPosition = reference::partitionAroundPivot(
                expected.data(), 0, size_t(n), axis, pivot);
            for (PartitionKernel kernel :
                 {PartitionKernel::Plain, PartitionKernel::Sse2, PartitionKernel::Avx512}) {
                if (!partitionKernelAvailable(kernel)) {
                    if (run == 0)
                        qInfo("partition kernel %d: this processor lacks it, not tested",
                              int(kernel));
                    continue;
                }
                QVector<uchar> ours = pixels;
                QCOMPARE(partitionAroundPivot(ours.data(), 0, size_t(n), axis, pivot, kernel),
                         expectedPosition);
                QVERIFY2(ours == expected, qPrintable(QString("kernel %1, run %2")
                                                          .arg(int(kernel)).arg(run)));
            }
        }
    }

    void randomSequences()
    {
        QRandomGenerator random(73);
        for (int run = 0; run < 40; ++run) {
            const bool tiny = run < 12;
            const bool mixedSizes = run % 3 != 0;
            const int baseWidth = 1 + random.bounded(tiny ? 9 : 300);
            const int baseHeight = 1 + random.bounded(tiny ? 9 : 200);
            const int count = 2 + random.bounded(5);
            QVector<QImage> frames;
            for (int f = 0; f < count; ++f) {
                const int width = mixedSizes ? 1 + random.bounded(baseWidth) : baseWidth;
                const int height = mixedSizes ? 1 + random.bounded(baseHeight) : baseHeight;
                const bool sameSize = !frames.isEmpty() && frames.last().size() == QSize(width, height);
                switch (random.bounded(6)) {
                case 0:
                    frames.append(sameSize ? frames.last() : flatFrame(width, height, random.generate()));
                    break;
                case 1:
                    frames.append(sameSize ? touchedFrame(frames.last(), 1 + random.bounded(300), &random)
                                           : noisyFrame(width, height, &random));
                    break;
                case 2:
                    frames.append(flatFrame(width, height, random.generate()));
                    break;
                case 3:
                    frames.append(fewColoursFrame(width, height, 2 + random.bounded(5), &random));
                    break;
                case 4:
                    frames.append(smoothFrame(width, height, f * 5, f * 3, &random));
                    break;
                default:
                    frames.append(noisyFrame(width, height, &random));
                }
            }
            // Now and then a canvas larger than every frame, with an edge never drawn.
            QSize canvas = canvasOf(frames);
            if (run % 5 == 4)
                canvas += QSize(random.bounded(4), random.bounded(4));
            VERIFY_SAME_AS_REFERENCE(QString("random%1").arg(run), frames, canvas,
                                     run % 7 == 0 ? 0 : 10);
        }
    }

    void longFramesResetTheDictionaryManyTimes()
    {
        // Noise makes a new string almost every pixel: a reset every few thousand pixels.
        QRandomGenerator random(11);
        QVector<QImage> frames = {noisyFrame(640, 400, &random), noisyFrame(640, 400, &random)};
        frames.append(touchedFrame(frames.last(), 5000, &random));
        frames.append(fewColoursFrame(640, 400, 3, &random));
        VERIFY_SAME_AS_REFERENCE("long", frames, QSize(640, 400));
    }

    void tiesInTheNearestColourSearch()
    {
        // A flat frame fills the palette with equal entries. Colours on a coarse grid, more
        // of them than entries, give means at equal distances from many pixels: searches
        // that tie between entries, decided only by the order of the walk.
        QRandomGenerator random(5);
        QVector<QImage> frames = {flatFrame(120, 80, qRgb(10, 20, 30))};
        for (int levels = 5; levels <= 8; ++levels)
            frames.append(fewColoursFrame(120, 80, levels, &random));
        VERIFY_SAME_AS_REFERENCE("ties", frames, QSize(120, 80));
    }

    void scatteredColoursOnAFlatBackground()
    {
        // Most entries share the background's colour, so many cubes that a scattered pixel
        // falls into list them all: more than the table keeps in one frame.
        QRandomGenerator random(29);
        QImage frame = flatFrame(800, 800, qRgb(90, 160, 40));
        frame = touchedFrame(frame, 25000, &random);
        VERIFY_SAME_AS_REFERENCE("scattered", {frame}, frame.size());
    }

    void smallerPalettes()
    {
        // Frames large enough for the threads to share the tree, at every depth below 8.
        QRandomGenerator random(19);
        const QVector<QImage> frames = {smoothFrame(200, 120, 0, 0, &random),
                                        noisyFrame(200, 120, &random),
                                        smoothFrame(200, 120, 9, 4, &random)};
        for (int depth = 2; depth < 8; ++depth)
            VERIFY_SAME_AS_REFERENCE(QString("depth%1").arg(depth), frames, QSize(200, 120), 10,
                                     depth);
    }

    void realContent()
    {
        // A photo-like pan in other pixel formats, as loaded images come.
        QRandomGenerator random(3);
        QVector<QImage> pan;
        for (int f = 0; f < 6; ++f) {
            QImage frame = smoothFrame(320, 180, f * 7, f * 2, &random);
            pan.append(frame.convertToFormat(f % 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32));
        }
        VERIFY_SAME_AS_REFERENCE("pan", pan, QSize(320, 180));

        // A fractal zoom rendered by ffmpeg.
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        if (ffmpeg.isEmpty())
            QSKIP("ffmpeg is not installed");
        const QString folder = dir.filePath("zoom");
        QVERIFY(QDir().mkpath(folder));
        QProcess process;
        process.start(ffmpeg, {"-v", "error", "-f", "lavfi", "-i", "mandelbrot=size=240x135:rate=10",
                               "-frames:v", "8", folder + "/%02d.png"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QVector<QImage> zoom;
        for (const QString &name : QDir(folder).entryList({"*.png"}, QDir::Files, QDir::Name))
            zoom.append(QImage(folder + "/" + name));
        QCOMPARE(zoom.size(), 8);
        VERIFY_SAME_AS_REFERENCE("zoom", zoom, QSize(240, 135));
    }
};

QTEST_GUILESS_MAIN(TestEncoderEquivalence)
#include "tst_encoderequivalence.moc"
