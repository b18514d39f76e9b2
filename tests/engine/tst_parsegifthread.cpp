// The extraction worker on GIFs we wrote, on damaged and hostile files, on a full disk and
// when stopped.
#include "support/enginetesthelpers.h"
#include "support/filesizelimit.h"
#include "support/gifbytes.h"
#include "support/gifdecoder.h"
#include "workers/parsegifthread.h"
#include "workers/pngframe.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Outcome = JobOutcome;
Q_DECLARE_METATYPE(Outcome)

namespace {

// Writes count frames of width x height, alternately noisy and flat.
void writeGif(const QString &path, int count, int width, int height)
{
    QRandomGenerator random(count);
    QVector<QImage> frames;
    for (int f = 0; f < count; ++f) {
        frames.append(f % 2 == 0 ? noisyFrame(width, height, &random)
                                 : flatFrame(width, height, qRgb(f * 20, 255 - f * 20, 7)));
    }
    QVERIFY(encodeFrames(path, frames, QSize(width, height)));
}

// "1.png" to count + ".png".
QStringList numberedPngs(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QString::number(i) + ".png";
    return names;
}

QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

} // namespace

class TestParseGifThread : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Runs one job into the folder name inside the temporary folder and returns the folder.
    QString runJob(ParseGifThread *thread, const QString &gifPath, const QString &name,
                   QSignalSpy *progress)
    {
        thread->gifFilePath = gifPath;
        thread->pngFolder = dir.filePath(name);
        progress->clear();
        [&] { QVERIFY(runToEnd(thread)); }();
        return thread->pngFolder;
    }

private slots:
    void framesBecomeNumberedPngs()
    {
        // The frames are saved on several threads; each file must be exactly what saving
        // the frames one after the other writes and show what an independent decoder
        // composes for that frame, and progress must still come in order.
        const QString gifPath = dir.filePath("many.gif");
        writeGif(gifPath, 13, 160, 90);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString folder = runJob(&thread, gifPath, "many", &progress);
        QCOMPARE(thread.outcome, JobOutcome::Completed);
        QCOMPARE(filesIn(folder), numberedPngs(13));
        DecodedGif gif;
        QVERIFY(decodeGif(gifPath, &gif));
        QImageReader reader(gifPath, QByteArray());
        QList<int> expectedProgress;
        for (int i = 0; i < 13; ++i) {
            const QString png = folder + QString("/%1.png").arg(i + 1);
            const QString sequential = dir.filePath(QString("sequential%1.png").arg(i + 1));
            QVERIFY(savePngFrame(reader.read(), sequential));
            QVERIFY2(readFile(sequential) == readFile(png), qPrintable(png));
            QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGBA8888), gif.frames[i].canvas);
            expectedProgress.append(10000 * (i + 1) / 13);
        }
        QCOMPARE(progressOf(progress), expectedProgress);
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
            // Colours under alpha 0 are not part of the picture: compared premultiplied,
            // and cleared in the file, where the reader leaves stray bytes.
            const QImage::Format shown = QImage::Format_ARGB32_Premultiplied;
            QCOMPARE(png.convertToFormat(shown), frame.convertToFormat(shown));
            QCOMPARE(png.convertToFormat(QImage::Format_ARGB32),
                     png.convertToFormat(shown).convertToFormat(QImage::Format_ARGB32));
        }
    }

    void damagedAndHostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file at all
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("kept");

        const QString path = dir.filePath("five.gif");
        writeGif(path, 5, 40, 30);
        const QByteArray whole = readFile(path);
        const int third = frameDataOffset(whole, 2);
        QVERIFY(third > 0 && frameDataOffset(whole, 4) > 0);
        const int firstBlock = third + 1;
        const int blockSize = uchar(whole[firstBlock]);

        QByteArray flipped = whole;
        for (int i = firstBlock + 1; i <= firstBlock + blockSize; i += 3)
            flipped[i] = ~flipped[i];
        QByteArray impossibleCodeSize = whole;
        impossibleCodeSize[third] = 14;

        QTest::newRow("no file") << QByteArray() << JobOutcome::NotAGif << 0;
        QTest::newRow("0 bytes") << QByteArray("") << JobOutcome::NotAGif << 0;
        QTest::newRow("text") << QByteArray("GIF is a format\n") << JobOutcome::NotAGif << 0;
        QTest::newRow("no frames") << whole.left(frameDataOffset(whole, 0) - 10) + ";"
                                   << JobOutcome::Damaged << 0;
        QTest::newRow("flipped bytes in frame 3") << flipped << JobOutcome::Damaged << 2;
        QTest::newRow("data block missing in frame 3")
            << whole.left(firstBlock) + whole.mid(firstBlock + 1 + blockSize)
            << JobOutcome::Damaged << 2;
        QTest::newRow("LZW code size 14 in frame 3") << impossibleCodeSize << JobOutcome::Damaged
                                                    << 2;
        QTest::newRow("cut in frame 3") << whole.left(firstBlock + 10) << JobOutcome::Damaged << 2;
        QTest::newRow("cut before the trailer") << whole.chopped(1) << JobOutcome::Damaged << 5;
        // Image data that ends early, whose missing pixels the image reader fills in silently.
        QTest::newRow("image data ends after its first block in frame 3")
            << withFrameData(whole, 2, whole.mid(third, 2 + blockSize) + '\0')
            << JobOutcome::Damaged << 2;
        QTest::newRow("a frame of no height with a colour table")
            << repeatedFrameGif(QSize(8, 8), QSize(8, 0), 1, QByteArray(6, '\x40'),
                                QByteArray("\x02\0", 2))
            << JobOutcome::Damaged << 0;
        QTest::newRow("200000 frames without image data")
            << repeatedFrameGif(QSize(10, 10), QSize(10, 10), 200000, QByteArray(),
                                QByteArray("\x02\0", 2))
            << JobOutcome::Damaged << 0;
        QTest::newRow("16000 x 16000 canvas")
            << onePixelFramesGif(QSize(16000, 16000), 8) << JobOutcome::TooLarge << 0;
        QTest::newRow("200 frames of 100 megapixels")
            << onePixelFramesGif(QSize(10000, 10000), 200) << JobOutcome::TooLarge << 0;
        QTest::newRow("2000 small frames")
            << onePixelFramesGif(QSize(50, 40), 2000) << JobOutcome::Completed << 2000;
    }

    // Whatever the damage, the folder holds only complete frames from 1.png on, the job
    // says how far it came, and a run that keeps nothing leaves no folder.
    void damagedAndHostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Outcome, outcome);
        QFETCH(int, kept);
        const QString name = QTest::currentDataTag();
        const QString gifPath = dir.filePath(name + ".gif");
        QVERIFY(bytes.isNull() || writeFile(gifPath, bytes));

        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const QString folder = runJob(&thread, gifPath, name, &progress);
        QCOMPARE(thread.outcome, outcome);
        QCOMPARE(thread.framesKept, kept);
        QCOMPARE(progress.size(), kept);
        QCOMPARE(QFileInfo::exists(folder), kept > 0);
        QCOMPARE(filesIn(folder), numberedPngs(kept));
        for (int i = 1; i <= kept; i += qMax(1, kept / 4))
            QVERIFY(!QImage(folder + QString("/%1.png").arg(i)).isNull());
    }

    void diskFullAtAMiddleFrame()
    {
#ifndef Q_OS_UNIX
        QSKIP("limits the file size through POSIX calls");
#else
        // The noisy frame does not fit under a file size limit, the flat ones do. The frames
        // saved after it on other threads go again, and no unfinished file stays.
        const QString gifPath = dir.filePath("flat-flat-noise-flat-flat.gif");
        QRandomGenerator random(5);
        const QImage flat = flatFrame(60, 60, qRgb(40, 80, 120));
        QVERIFY(encodeFrames(gifPath, {flat, flat, noisyFrame(60, 60, &random), flat, flat},
                             QSize(60, 60)));
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        QString folder;
        {
            const FileSizeLimit limit(2048, true);
            QVERIFY(limit.active());
            folder = runJob(&thread, gifPath, "full", &progress);
        }
        QCOMPARE(thread.outcome, JobOutcome::WriteFailed);
        QCOMPARE(thread.framesKept, 2);
        QCOMPARE(progressOf(progress), QList<int>({2000, 4000}));
        QCOMPARE(filesIn(folder), numberedPngs(2));
#endif
    }

    void stopRemovesWhatTheRunWrote()
    {
        const QString gifPath = dir.filePath("stop.gif");
        writeGif(gifPath, 30, 64, 64);
        ParseGifThread thread;
        QSignalSpy progress(&thread, &ParseGifThread::updateprogress);
        const auto stopAtFirstFrame =
            connect(&thread, &ParseGifThread::updateprogress, &thread,
                    [&thread] { thread.requestStop(); }, Qt::DirectConnection);

        // Files that were there before stay; a folder the run made goes.
        QVERIFY(QDir(dir.path()).mkdir("stopped"));
        QVERIFY(writeFile(dir.filePath("stopped/notes.txt"), "mine"));
        QCOMPARE(filesIn(runJob(&thread, gifPath, "stopped", &progress)),
                 QStringList{"notes.txt"});
        QCOMPARE(thread.outcome, JobOutcome::Stopped);
        QVERIFY(!progress.isEmpty());
        QVERIFY(!QFileInfo::exists(runJob(&thread, gifPath, "made", &progress)));

        // Neither the stopped run nor a request while idle reaches the next run.
        disconnect(stopAtFirstFrame);
        thread.requestStop();
        QCOMPARE(filesIn(runJob(&thread, gifPath, "whole", &progress)), numberedPngs(30));
        QCOMPARE(thread.outcome, JobOutcome::Completed);
    }
};

QTEST_GUILESS_MAIN(TestParseGifThread)
#include "tst_parsegifthread.moc"
