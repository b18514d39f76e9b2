// The extraction worker on GIFs we wrote and on files that are not (whole) GIFs.
#include "support/enginetesthelpers.h"
#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "workers/parsegifthread.h"
#include "workers/pngframe.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Writes count frames of width x height, alternately noisy and flat.
void writeGif(const QString &path, int count, int width, int height, bool noisyFirst = true)
{
    QRandomGenerator random(count);
    QVector<QImage> frames;
    for (int f = 0; f < count; ++f) {
        frames.append((f % 2 == 0) == noisyFirst
                          ? noisyFrame(width, height, &random)
                          : flatFrame(width, height, qRgb(f * 20, 255 - f * 20, 7)));
    }
    QVERIFY(encodeFrames(path, frames, QSize(width, height)));
}

} // namespace

class TestParseGifThread : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Runs one job into a fresh folder and returns the folder.
    QString runJob(ParseGifThread *thread, const QString &gifPath, const QString &name,
                   QSignalSpy *progress)
    {
        const QString folder = dir.filePath(name);
        QDir().mkpath(folder);
        thread->gifFilePath = gifPath;
        thread->pngFolder = folder;
        progress->clear();
        [&] { QVERIFY(runToEnd(thread)); }();
        return folder;
    }

    QStringList filesIn(const QString &folder)
    {
        QStringList names = QDir(folder).entryList(QDir::Files);
        std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        return names;
    }

private slots:
    void pngsMatchASequentialRun()
    {
        // The frames are saved on several threads; each file must be exactly what saving
        // the frames one after the other writes, and progress must still come in order.
        const QString gifPath = dir.filePath("many.gif");
        writeGif(gifPath, 13, 160, 90);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString folder = runJob(&thread, gifPath, "many", &progress);
        QList<int> expectedProgress;
        QImageReader reader(gifPath, QByteArray());
        for (int i = 0; i < 13; ++i) {
            const QImage frame = reader.read();
            QVERIFY(!frame.isNull());
            const QString path = dir.filePath(QString("sequential%1.png").arg(i + 1));
            QVERIFY(savePngFrame(frame, path));
            QFile sequential(path);
            QFile parallel(folder + "/" + QString::number(i + 1) + ".png");
            QVERIFY(sequential.open(QIODevice::ReadOnly) && parallel.open(QIODevice::ReadOnly));
            QVERIFY2(sequential.readAll() == parallel.readAll(), qPrintable(parallel.fileName()));
            QCOMPARE(QImage(path).convertToFormat(frame.format()), frame);
            expectedProgress.append(10000 * (i + 1) / 13);
        }
        QCOMPARE(progressOf(progress), expectedProgress);
    }

    void framesBecomeNumberedPngs()
    {
        const QString gifPath = dir.filePath("four.gif");
        writeGif(gifPath, 4, 30, 20);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString folder = runJob(&thread, gifPath, "four", &progress);
        QCOMPARE(progressOf(progress), QList<int>({2500, 5000, 7500, 10000}));
        QCOMPARE(filesIn(folder), QStringList({"1.png", "2.png", "3.png", "4.png"}));

        // Each PNG shows what an independent decoder composes for that frame.
        DecodedGif gif;
        QVERIFY(decodeGif(gifPath, &gif));
        for (int i = 0; i < 4; ++i) {
            const QImage png(folder + QString("/%1.png").arg(i + 1));
            QCOMPARE(png.convertToFormat(QImage::Format_RGBA8888), gif.frames[i].canvas);
        }
    }

    void countsAndNames()
    {
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString three = dir.filePath("three.gif");
        writeGif(three, 3, 8, 8);
        runJob(&thread, three, "three", &progress);
        QCOMPARE(progressOf(progress), QList<int>({3333, 6666, 10000}));

        const QString still = dir.filePath("still.gif");
        writeGif(still, 1, 8, 8);
        QCOMPARE(filesIn(runJob(&thread, still, "still", &progress)), QStringList({"1.png"}));
        QCOMPARE(progressOf(progress), QList<int>({10000}));

        const QString twelve = dir.filePath("twelve.gif");
        writeGif(twelve, 12, 8, 8);
        const QStringList names = filesIn(runJob(&thread, twelve, "twelve", &progress));
        QCOMPARE(names.size(), 12);
        QCOMPARE(names.at(8), QString("9.png"));
        QCOMPARE(names.at(11), QString("12.png"));
    }

    void unusableFilesWriteNothing()
    {
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        QVERIFY(filesIn(runJob(&thread, dir.filePath("missing.gif"), "missing", &progress))
                    .isEmpty());
        QVERIFY(progress.isEmpty());

        const QString text = dir.filePath("text.gif");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture\n");
        file.close();
        QVERIFY(filesIn(runJob(&thread, text, "text", &progress)).isEmpty());
        QVERIFY(progress.isEmpty());
    }

    void truncatedGif()
    {
        const QString whole = dir.filePath("whole.gif");
        writeGif(whole, 4, 40, 40);
        QFile in(whole);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        const QString cut = dir.filePath("cut.gif");
        QFile out(cut);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(bytes.size() * 6 / 10));
        out.close();

        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QStringList names = filesIn(runJob(&thread, cut, "cut", &progress));
        QVERIFY(!names.isEmpty() && names.size() < 4); // the frames before the cut
        QVERIFY(thread.everyFrameSaved); // frames the reader cannot reach are no failed saves
        QCOMPARE(names.size(), progress.size());
        for (const QString &name : names)
            QVERIFY(!QImage(dir.filePath("cut/" + name)).isNull());
    }

    void stopRequest()
    {
        const QString gifPath = dir.filePath("stop.gif");
        writeGif(gifPath, 30, 16, 16);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        thread.requestStop(); // while idle: ignored
        QCOMPARE(filesIn(runJob(&thread, gifPath, "whole", &progress)).size(), 30);

        // Frames already handed to the savers are finished; no frame is read after that.
        connect(&thread, &ParseGifThread::updateprogress, &thread,
                [&thread] { thread.requestStop(); }, Qt::DirectConnection);
        const QStringList names = filesIn(runJob(&thread, gifPath, "stopped", &progress));
        QVERIFY(!names.isEmpty());
        QVERIFY(names.size() <= 1 + 2 * QThread::idealThreadCount());
        QCOMPARE(names.size(), progress.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(names[i], QString::number(i + 1) + ".png");
    }

    void pngsKeepTransparency()
    {
        // A first frame smaller than the canvas leaves the rest of it transparent; the
        // PNG must keep that, while opaque frames may drop the alpha channel.
        const QString gifPath = dir.filePath("small-first.gif");
        QVERIFY(encodeFrames(gifPath, {flatFrame(20, 10, qRgb(200, 30, 90)),
                                       flatFrame(40, 30, qRgb(10, 240, 60))},
                             QSize(40, 30)));

        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString folder = runJob(&thread, gifPath, "small-first", &progress);
        QImageReader reader(gifPath, QByteArray());
        for (int i = 0; i < 2; ++i) {
            const QImage frame = reader.read();
            const QImage png(folder + QString("/%1.png").arg(i + 1));
            QCOMPARE(png.hasAlphaChannel(), i == 0);
            // Colours under alpha 0 are not part of the picture: compared premultiplied.
            const QImage::Format shown = QImage::Format_ARGB32_Premultiplied;
            QCOMPARE(png.convertToFormat(shown), frame.convertToFormat(shown));
        }
    }

    void firstFrameSavedOnlyByThisRun()
    {
        const QString gifPath = dir.filePath("two.gif");
        writeGif(gifPath, 2, 8, 8);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString folder = runJob(&thread, gifPath, "rerun", &progress);
        QVERIFY(thread.firstFrameSaved && thread.everyFrameSaved);

        // 1.png from the run before is still there; a GIF that cannot be read is a failure.
        const QString broken = dir.filePath("broken.gif");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("GIF89a");
        file.close();
        QCOMPARE(runJob(&thread, broken, "rerun", &progress), folder);
        QVERIFY(QFile::exists(folder + "/1.png"));
        QVERIFY(!thread.firstFrameSaved);

        // Frames read but not written (the folder is gone) are a failure too.
        thread.gifFilePath = gifPath;
        thread.pngFolder = dir.filePath("gone");
        thread.start(QThread::InheritPriority);
        QVERIFY(thread.wait(60000));
        QCOMPARE(progress.size(), 2);
        QVERIFY(!thread.firstFrameSaved);
    }

    void laterFrameThatCannotBeSavedIsNoticed()
    {
#ifndef Q_OS_UNIX
        QSKIP("limits the size of written files through setrlimit");
#else
        // A small flat first frame fits under a file size limit, the noisy second does not:
        // a disk that fills up after frame 1. Its PNG is smaller than the file's own write
        // buffer, so the failure only shows when that buffer is flushed.
        const QString gifPath = dir.filePath("flat-then-noise.gif");
        writeGif(gifPath, 2, 60, 60, false);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        QString folder;
        {
            const FileSizeLimit limit(2048, true);
            QVERIFY(limit.active());
            folder = runJob(&thread, gifPath, "full", &progress);
        }
        QCOMPARE(progressOf(progress), QList<int>({5000, 10000}));
        QVERIFY(QFileInfo(folder + "/1.png").size() < 2048);
        QVERIFY(QFileInfo(folder + "/2.png").size() <= 2048);
        QVERIFY(thread.firstFrameSaved);
        QVERIFY(!thread.everyFrameSaved);
#endif
    }
};

QTEST_GUILESS_MAIN(TestParseGifThread)
#include "tst_parsegifthread.moc"
