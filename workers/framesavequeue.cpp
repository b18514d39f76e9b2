#include "workers/framesavequeue.h"
#include "workers/pngframe.h"

#include <QRunnable>
#include <QThread>

namespace {

// Frames held at most, whatever the number of cores.
const int MostFramesInFlight = 8;

class PngSave : public QRunnable
{
public:
    PngSave(const QImage &frame, const std::function<bool()> &stopped, bool *written,
            const QString &path, QSemaphore *done)
        : frame(frame), stopped(stopped), written(written), path(path), done(done)
    {
    }

    void run() override
    {
        *written = !stopped() && savePngFrame(frame, path, stopped);
        done->release();
    }

private:
    QImage frame;
    const std::function<bool()> &stopped;
    bool *written;
    QString path;
    QSemaphore *done;
};

} // namespace

FrameSaveQueue::FrameSaveQueue(int mostFrames, std::function<bool()> stopped)
    : stopped(std::move(stopped))
{
    const int threads = qMax(1, QThread::idealThreadCount());
    savers.setMaxThreadCount(threads);
    window = qBound(1, mostFrames, qMin(MostFramesInFlight, 2 * threads));
    ring = std::make_unique<Slot[]>(window);
}

FrameSaveQueue::~FrameSaveQueue()
{
    savers.waitForDone();
}

void FrameSaveQueue::add(const QImage &frame, const QString &path)
{
    Slot &slot = ring[added % window];
    slot.saved = {path, false};
    savers.start(new PngSave(frame, stopped, &slot.saved.written, path, &slot.done));
    added++;
}

bool FrameSaveQueue::takeOldest(bool wait, Saved *result)
{
    if (taken == added)
        return false;
    Slot &slot = ring[taken % window];
    if (wait)
        slot.done.acquire();
    else if (!slot.done.tryAcquire())
        return false;
    *result = slot.saved;
    taken++;
    return true;
}
