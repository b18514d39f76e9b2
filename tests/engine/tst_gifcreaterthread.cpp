// The creation worker: progress, results, failures and stop requests.
#include "support/gifdecoder.h"
#include "workers/gifcreaterthread.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

QImage flatImage(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage noisyImage(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000);
    return image;
}

QList<int> progressOf(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : spy)
        values.append(arguments.at(0).toInt());
    return values;
}

} // namespace

class TestGifCreaterThread : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Fills the worker as the image strip does (canvas = largest sides, at least 20) and
    // runs one job to its end.
    void runJob(GifCreaterThread *thread, const QString &path, const QList<QImage> &images,
                QSignalSpy *progress, int delay = 10)
    {
        thread->gifFilePath = path;
        thread->delay = delay;
        thread->imageList = QList<QImage>();
        int width = 20;
        int height = 20;
        for (const QImage &image : images) {
            thread->addImage(image);
            width = qMax(width, image.width());
            height = qMax(height, image.height());
        }
        thread->setGifSize(width, height);
        QSignalSpy finished(thread, &QThread::finished);
        progress->clear();
        thread->start(QThread::InheritPriority);
        QVERIFY(thread->wait(60000));
        QCOMPARE(finished.count(), 1);
    }

private slots:
    void framesAndProgress()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = dir.filePath("three.gif");
        runJob(&thread, path, {noisyImage(30, 10, 1), flatImage(12, 25, qRgb(0, 90, 0)),
                               noisyImage(5, 5, 2)}, &progress);
        QCOMPARE(progressOf(progress), QList<int>({3333, 6666, 10000}));
        QVERIFY(thread.succeeded);
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.canvasSize, QSize(30, 25));
        QVERIFY(gif.hasLoopExtension);
        QCOMPARE(gif.loopCount, 0);
        QCOMPARE(gif.frames.size(), 3);
        QCOMPARE(gif.frames[1].rect, QRect(0, 0, 12, 25));
        QCOMPARE(gif.frames[2].delay, 10);
        QCOMPARE(gif.frames[1].canvas.pixel(5, 20), qRgb(0, 90, 0));
    }

    void emptyListAndDelayZero()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString empty = dir.filePath("empty.gif");
        runJob(&thread, empty, {}, &progress);
        QVERIFY(progress.isEmpty());
        QVERIFY(thread.succeeded);
        QFile file(empty);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), 19 + 19 + 1);

        const QString still = dir.filePath("delay0.gif");
        runJob(&thread, still, {flatImage(20, 20, qRgb(1, 2, 3))}, &progress, 0);
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
        runJob(&thread, path, {flatImage(20, 20, qRgb(5, 5, 5)), QImage(),
                               flatImage(10, 10, qRgb(9, 9, 9))}, &progress);
        QCOMPARE(progressOf(progress), QList<int>({3333, 6666, 10000}));
        QVERIFY(thread.succeeded);
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 2);
    }

    void failuresLeaveNoFile()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QImage image = flatImage(20, 20, qRgb(1, 1, 1));

        // Missing folder, and a folder in place of the file.
        const QString missing = dir.filePath("no/such/folder/a.gif");
        runJob(&thread, missing, {image}, &progress);
        QVERIFY(!thread.succeeded);
        QVERIFY(progress.isEmpty());
        QVERIFY(!QFile::exists(missing));
        QVERIFY(QDir(dir.path()).mkdir("folder.gif"));
        runJob(&thread, dir.filePath("folder.gif"), {image}, &progress);
        QVERIFY(!thread.succeeded);

        // Sides a GIF cannot store.
        const QString wide = dir.filePath("wide.gif");
        runJob(&thread, wide, {flatImage(70000, 1, qRgb(1, 1, 1))}, &progress);
        QVERIFY(!thread.succeeded);
        QVERIFY(progress.isEmpty());
        QVERIFY(!QFile::exists(wide));

        // A later job succeeds again.
        runJob(&thread, dir.filePath("after.gif"), {image}, &progress);
        QVERIFY(thread.succeeded);
    }

    void diskFullRemovesThePartialFile()
    {
#ifdef Q_OS_UNIX
        // A file size limit makes writes fail the way a full disk does.
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = dir.filePath("full.gif");
        rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 20000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        runJob(&thread, path, {noisyImage(100, 100, 3), noisyImage(100, 100, 4),
                               noisyImage(100, 100, 5), noisyImage(100, 100, 6)}, &progress);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!thread.succeeded);
        QVERIFY(!QFile::exists(path));
        QVERIFY(progress.count() < 4);
#else
        QSKIP("needs a file size limit");
#endif
    }

    void stopRequests()
    {
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QList<QImage> images{noisyImage(40, 40, 7), noisyImage(40, 40, 8),
                                   noisyImage(40, 40, 9)};

        // A request while idle does not cancel the next job.
        thread.requestStop();
        runJob(&thread, dir.filePath("whole.gif"), images, &progress);
        QVERIFY(thread.succeeded);

        // A request during a job ends it after the current frame, without a file.
        const QMetaObject::Connection stopper = connect(
            &thread, &GifCreaterThread::updateprogress, &thread,
            [&thread] { thread.requestStop(); }, Qt::DirectConnection);
        const QString stopped = dir.filePath("stopped.gif");
        runJob(&thread, stopped, images, &progress);
        disconnect(stopper);
        QCOMPARE(progressOf(progress), QList<int>({3333}));
        QVERIFY(!thread.succeeded);
        QVERIFY(!QFile::exists(stopped));

        runJob(&thread, dir.filePath("again.gif"), images, &progress);
        QVERIFY(thread.succeeded);
    }

    void nonAsciiFolder()
    {
        const QString folder = dir.filePath(QString::fromUtf8("Bilder-ä-日本"));
        QVERIFY(QDir().mkpath(folder));
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        const QString path = folder + QString::fromUtf8("/动画-ö.gif");
        runJob(&thread, path, {flatImage(20, 20, qRgb(10, 20, 30))}, &progress);
        QVERIFY(thread.succeeded);
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestGifCreaterThread)
#include "tst_gifcreaterthread.moc"
