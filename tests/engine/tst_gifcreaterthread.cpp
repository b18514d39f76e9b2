// The creation worker: progress, results, frames read from files, failures and stop requests.
#include "support/enginetesthelpers.h"
#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "workers/gifcreaterthread.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestGifCreaterThread : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QRandomGenerator random{5};

    // Runs one job of the images to its end (canvas = largest sides, at least 20). Images
    // with a file name in files are handed over as that file.
    void runJob(GifCreaterThread *thread, const QString &path, const QList<QImage> &images,
                QSignalSpy *progress, int delay = 10, const QStringList &files = {})
    {
        GifJob job = imagesJob(path, images, delay);
        for (int i = 0; i < images.size(); ++i) {
            if (!files.value(i).isEmpty()) {
                job.frames[i].image = QImage();
                job.frames[i].path = dir.filePath(files.at(i));
            }
        }
        progress->clear();
        QVERIFY(runToEnd(thread, job));
    }

    static bool completed(const GifCreaterThread &thread)
    {
        return thread.outcome == JobOutcome::Completed;
    }

private slots:
    void framesAndProgress()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = dir.filePath("three.gif");
        runJob(&thread, path, {noisyFrame(30, 10, &random), flatFrame(12, 25, qRgb(0, 90, 0)),
                               noisyFrame(5, 5, &random)}, &progress);
        QCOMPARE(progressOf(progress), QList<int>({3333, 6666, 10000}));
        QVERIFY(completed(thread));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.canvasSize, QSize(30, 25));
        QVERIFY(gif.hasLoopExtension);
        QCOMPARE(gif.loopCount, 0);
        QCOMPARE(gif.frames.size(), 3);
        QCOMPARE(gif.frames[2].delay, 10);
        // A smaller picture leaves the rest of the canvas clear, not showing the one before.
        QCOMPARE(gif.frames[1].canvas.pixel(5, 20), qRgb(0, 90, 0));
        QCOMPARE(gif.frames[1].canvas.pixel(20, 5), qRgba(0, 0, 0, 0));
        QCOMPARE(gif.frames[2].canvas.pixel(8, 20), qRgba(0, 0, 0, 0));
    }

    void smallerFileWritesOnlyWhatChanged()
    {
        GifCreaterThread thread;
        const QString path = dir.filePath("smaller.gif");
        const QImage frame = noisyFrame(30, 20, &random);
        GifJob job = imagesJob(path, {frame, frame});
        job.choices.encoding.smallerFile = true;
        QVERIFY(runToEnd(&thread, job));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 2);
        QCOMPARE(gif.frames[1].rect, QRect(0, 0, 1, 1));
    }

    void emptyListAndDelayZero()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString empty = dir.filePath("empty.gif");
        runJob(&thread, empty, {}, &progress);
        QVERIFY(progress.isEmpty());
        QVERIFY(completed(thread));
        QCOMPARE(readFile(empty).size(), 19 + 19 + 1);

        const QString still = dir.filePath("delay0.gif");
        runJob(&thread, still, {flatFrame(20, 20, qRgb(1, 2, 3))}, &progress, 0);
        QCOMPARE(progressOf(progress), QList<int>({10000}));
        DecodedGif gif;
        QVERIFY(decodeGif(still, &gif));
        QVERIFY(!gif.hasLoopExtension);
        QCOMPARE(gif.frames.size(), 1);
        QCOMPARE(gif.frames[0].delay, 0);
    }

    void framesThatCannotBeStoredAreSkipped()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = dir.filePath("skipped.gif");
        runJob(&thread, path, {flatFrame(20, 20, qRgb(5, 5, 5)), QImage(),
                               flatFrame(10, 10, qRgb(9, 9, 9))}, &progress);
        QCOMPARE(progressOf(progress), QList<int>({3333, 6666, 10000}));
        QVERIFY(completed(thread));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 2);
    }

    void failuresLeaveNoFile()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QImage image = flatFrame(20, 20, qRgb(1, 1, 1));

        // Missing folder, and a folder in place of the file.
        const QString missing = dir.filePath("no/such/folder/a.gif");
        runJob(&thread, missing, {image}, &progress);
        QVERIFY(!completed(thread));
        QVERIFY(progress.isEmpty());
        QVERIFY(!QFile::exists(missing));
        QVERIFY(QDir(dir.path()).mkdir("folder.gif"));
        runJob(&thread, dir.filePath("folder.gif"), {image}, &progress);
        QVERIFY(!completed(thread));

        // Sides a GIF cannot store.
        const QString wide = dir.filePath("wide.gif");
        runJob(&thread, wide, {flatFrame(70000, 1, qRgb(1, 1, 1))}, &progress);
        QVERIFY(!completed(thread));
        QVERIFY(progress.isEmpty());
        QVERIFY(!QFile::exists(wide));

        // A later job succeeds again.
        runJob(&thread, dir.filePath("after.gif"), {image}, &progress);
        QVERIFY(completed(thread));
    }

    void diskFullRemovesThePartialFile()
    {
#ifdef Q_OS_UNIX
        // A file size limit makes writes fail the way a full disk does.
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = dir.filePath("full.gif");
        // The write that fails is noticed at the latest when the frame two after it settles
        // it, whatever the helper thread's pace: well before the last of these frames.
        QList<QImage> noise;
        for (int i = 0; i < 12; ++i)
            noise.append(noisyFrame(100, 100, &random));
        {
            const FileSizeLimit limit(20000, true);
            QVERIFY(limit.active());
            runJob(&thread, path, noise, &progress);
        }
        QVERIFY(!completed(thread));
        QVERIFY(!QFile::exists(path));
        QVERIFY(progress.count() < noise.size());
#else
        QSKIP("needs a file size limit");
#endif
    }

    void framesFromFiles()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        QList<QImage> images;
        for (int i = 0; i < 4; ++i)
            images.append(
                noisyFrame(60 - 10 * i, 40, &random).convertToFormat(QImage::Format_RGB32));
        const QStringList files{"f0.png", "f1.png", "", "f3.bmp"};
        for (int i = 0; i < 4; ++i)
            QVERIFY(files.at(i).isEmpty() || images.at(i).save(dir.filePath(files.at(i))));
        const QString inMemory = dir.filePath("memory.gif");
        runJob(&thread, inMemory, images, &progress);
        const QString fromFiles = dir.filePath("files.gif");
        runJob(&thread, fromFiles, images, &progress, 10, files);
        QVERIFY(completed(thread));
        QVERIFY(thread.unreadableFile.isEmpty());
        QCOMPARE(readFile(fromFiles), readFile(inMemory));

        // A file that grew since it was chosen is cut to the canvas, not dropped.
        QVERIFY(noisyFrame(90, 70, &random).save(dir.filePath("f0.png")));
        runJob(&thread, fromFiles, images, &progress, 10, files);
        DecodedGif gif;
        QVERIFY(completed(thread) && decodeGif(fromFiles, &gif));
        QCOMPARE(gif.frames.size(), 4);
        QCOMPARE(gif.frames.first().rect, QRect(0, 0, 60, 40));

        // A file gone or damaged when the run reaches it ends the run and is named.
        for (const QString spoiled : {"f3.bmp", "f1.png"}) {
            if (spoiled == QLatin1String("f3.bmp"))
                QVERIFY(QFile::remove(dir.filePath(spoiled)));
            else
                QVERIFY(QFile(dir.filePath(spoiled)).resize(100));
            const QString failed = dir.filePath("failed.gif");
            runJob(&thread, failed, images, &progress, 10, files);
            QVERIFY(!completed(thread));
            QCOMPARE(thread.unreadableFile, dir.filePath(spoiled));
            QVERIFY(!QFile::exists(failed));
            QVERIFY(progress.count() < 4);
        }
    }

    void closeFailureIsAFailure()
    {
#ifdef Q_OS_UNIX
        // A GIF this small waits in the stream's buffer until the file is closed.
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = dir.filePath("closefails.gif");
        {
            const FileSizeLimit limit(10, true);
            QVERIFY(limit.active());
            runJob(&thread, path, {flatFrame(20, 20, qRgb(7, 7, 7))}, &progress);
        }
        QCOMPARE(progressOf(progress), QList<int>({10000}));
        QVERIFY(!completed(thread));
        QVERIFY(!QFile::exists(path));
#else
        QSKIP("needs a file size limit");
#endif
    }

    void stopRequests()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QList<QImage> images{noisyFrame(40, 40, &random), noisyFrame(40, 40, &random),
                                   noisyFrame(40, 40, &random)};

        // A request while idle does not cancel the next job.
        thread.requestStop();
        runJob(&thread, dir.filePath("whole.gif"), images, &progress);
        QVERIFY(completed(thread));

        // A request during a job ends it after the current frame, without a file.
        const QMetaObject::Connection stopper = connect(
            &thread, &GifCreaterThread::updateprogress, &thread,
            [&thread] { thread.requestStop(); }, Qt::DirectConnection);
        const QString stopped = dir.filePath("stopped.gif");
        runJob(&thread, stopped, images, &progress);
        disconnect(stopper);
        QCOMPARE(progressOf(progress), QList<int>({3333}));
        QVERIFY(!completed(thread));
        QVERIFY(!QFile::exists(stopped));

        runJob(&thread, dir.filePath("again.gif"), images, &progress);
        QVERIFY(completed(thread));

        // Nor do requests made as a job ends, after its last frame.
        QSemaphore lastFrame;
        const QMetaObject::Connection atEnd = connect(
            &thread, &GifCreaterThread::updateprogress, &thread,
            [&lastFrame](int done) { lastFrame.release(done == 10000 ? 1 : 0); },
            Qt::DirectConnection);
        thread.start();
        lastFrame.acquire();
        while (!thread.isFinished())
            thread.requestStop();
        disconnect(atEnd);
        runJob(&thread, dir.filePath("next.gif"), images, &progress);
        QVERIFY(completed(thread));
    }

    void nonAsciiFolder()
    {
        const QString folder = dir.filePath(QString::fromUtf8("Bilder-ä-日本"));
        QVERIFY(QDir().mkpath(folder));
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = folder + QString::fromUtf8("/动画-ö.gif");
        runJob(&thread, path, {flatFrame(20, 20, qRgb(10, 20, 30))}, &progress);
        QVERIFY(completed(thread));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 1);
    }

    void placementsLeaveTheRestClear()
    {
        // A 40 x 30 picture, then a 20 x 10 one: wherever the small one goes, the canvas
        // around it is clear and it shows in its own colour.
        const QRgb big = qRgb(0, 0, 200);
        const QRgb small = qRgb(200, 0, 0);
        const QList<QImage> images{flatFrame(40, 30, big), flatFrame(20, 10, small)};
        const QList<QPair<Placement, QRect>> placements{
            {Placement::TopLeft, QRect(0, 0, 20, 10)},
            {Placement::Centred, QRect(10, 10, 20, 10)},
            {Placement::ScaledToFit, QRect(0, 5, 40, 20)}};
        for (const auto &placement : placements) {
            for (const bool smallerFile : {false, true}) {
                GifCreaterThread thread;
                const QString path = dir.filePath("placed.gif");
                GifJob job = imagesJob(path, images);
                job.choices.placement = placement.first;
                job.choices.encoding.smallerFile = smallerFile;
                QVERIFY(runToEnd(&thread, job) && completed(thread));
                DecodedGif gif;
                QVERIFY(decodeGif(path, &gif));
                QCOMPARE(gif.frames.size(), 2);
                QCOMPARE(gif.frames[0].canvas, flatFrame(40, 30, big));
                const QImage second = gif.frames[1].canvas;
                for (int y = 0; y < 30; ++y)
                    for (int x = 0; x < 40; ++x)
                        QCOMPARE(second.pixel(x, y), placement.second.contains(x, y)
                                                         ? small | 0xFF000000
                                                         : qRgba(0, 0, 0, 0));
            }
        }
    }

    void loopsAndOwnDelays()
    {
        const QList<QImage> images{flatFrame(20, 20, qRgb(1, 2, 3)),
                                   flatFrame(20, 20, qRgb(4, 5, 6))};
        for (const int plays : {0, 1, 2, 7}) {
            GifCreaterThread thread;
            const QString path = dir.filePath("loops.gif");
            GifJob job = imagesJob(path, images);
            job.frames[0].delay = 150;
            job.choices.encoding.playCount = plays;
            QVERIFY(runToEnd(&thread, job) && completed(thread));
            DecodedGif gif;
            QVERIFY(decodeGif(path, &gif));
            // Viewers play a GIF without the extension once, with n repeats n + 1 times.
            QCOMPARE(gif.hasLoopExtension, plays != 1);
            QCOMPARE(gif.loopCount, plays == 1 ? -1 : qMax(plays - 1, 0));
            QCOMPARE(gif.frames[0].delay, 150);
            QCOMPARE(gif.frames[1].delay, 10);
        }
    }
};

QTEST_GUILESS_MAIN(TestGifCreaterThread)
#include "tst_gifcreaterthread.moc"
