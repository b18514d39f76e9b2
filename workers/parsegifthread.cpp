#include "workers/parsegifthread.h"
#include "workers/pngframe.h"

#include <QImage>
#include <QImageReader>
#include <QRunnable>
#include <QSemaphore>
#include <QThreadPool>

namespace {

// Saves one frame on a pool thread, notes whether the file was written and signals when
// it is done.
class PngSave : public QRunnable
{
public:
    PngSave(const QImage &frame, const QString &path, bool *written, QSemaphore *done)
        : frame(frame), path(path), written(written), done(done)
    {
    }

    void run() override
    {
        *written = savePngFrame(frame, path);
        done->release();
    }

private:
    QImage frame;
    QString path;
    bool *written;
    QSemaphore *done;
};

// Frames handed to the savers at most at a time, whatever the number of cores.
const int MostFramesInFlight = 8;

} // namespace

ParseGifThread::ParseGifThread(QObject *parent)
    : QThread(parent)
{
}

// Destroying a running thread aborts the program, so a job still running is stopped first.
ParseGifThread::~ParseGifThread()
{
    requestStop();
    wait();
}

// Only a running job takes the request, so that it cannot cancel the next one.
void ParseGifThread::requestStop()
{
    if (isRunning())
        stopRequested = true;
}

// The frames come from the image reader that QMovie itself wraps: QMovie keeps a QPixmap,
// which may not be made off the GUI thread. The reader hands out each frame composed over
// the ones before it, as the movie would show it. Decoding depends on the frame before, so
// it stays on this thread; the PNG encoding, the slow part, runs on every core. Progress
// is still reported frame by frame in order, once a frame's file is written.
void ParseGifThread::run()
{
    firstFrameSaved = false;
    everyFrameSaved = true;
    QImageReader reader(gifFilePath, QByteArray());
    const int n = reader.imageCount();
    QThreadPool savers;
    savers.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    const int window = qMin(MostFramesInFlight, 2 * savers.maxThreadCount());
    QSemaphore saved[MostFramesInFlight];
    int frameOf[MostFramesInFlight];
    bool written[MostFramesInFlight];
    int handedOut = 0;
    int reported = 0;
    auto reportOldest = [&](bool block) {
        const int slot = reported % window;
        if (block)
            saved[slot].acquire();
        else if (!saved[slot].tryAcquire())
            return false;
        if (frameOf[slot] == 0 && written[slot])
            firstFrameSaved = true;
        if (!written[slot])
            everyFrameSaved = false;
        emit updateprogress(int(10000LL * (frameOf[slot] + 1) / n));
        reported++;
        return true;
    };

    for (int i = 0; i < n && !stopRequested; ++i) {
        const QImage frame = reader.read();
        if (frame.isNull())
            continue;
        if (handedOut - reported == window)
            reportOldest(true);
        const int slot = handedOut % window;
        frameOf[slot] = i;
        const QString pngPath = pngFolder + "/" + QString::number(i + 1) + ".png";
        savers.start(new PngSave(frame, pngPath, &written[slot], &saved[slot]));
        handedOut++;
        while (reported < handedOut && reportOldest(false)) {
        }
    }
    while (reported < handedOut)
        reportOldest(true);
    stopRequested = false;
}
