#include "workers/framereadahead.h"

#include "workers/framefile.h"

FrameReadAhead::FrameReadAhead(const QList<FrameSource> &sources)
    : sources(sources), thread(&FrameReadAhead::run, this)
{
}

FrameReadAhead::~FrameReadAhead()
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        stopping = true;
    }
    changed.notify_all();
    thread.join();
}

bool FrameReadAhead::takeNext(QImage *frame)
{
    std::unique_lock<std::mutex> locker(mutex);
    changed.wait(locker, [this] { return !waiting.empty() || readFailed; });
    if (waiting.empty())
        return false;
    *frame = std::move(waiting.front());
    waiting.pop_front();
    waitingBytes -= size_t(frame->sizeInBytes());
    locker.unlock();
    changed.notify_all();
    return true;
}

void FrameReadAhead::run()
{
    for (const FrameSource &source : sources) {
        {
            std::unique_lock<std::mutex> locker(mutex);
            changed.wait(locker, [this] {
                return stopping
                       || (waiting.size() < MaxFramesWaiting && waitingBytes < MaxBytesWaiting);
            });
            if (stopping)
                return;
        }
        QImage frame = source.path.isEmpty()
                           ? source.image.convertToFormat(QImage::Format_RGBA8888)
                           : readFrameFile(source.path);
        std::lock_guard<std::mutex> locker(mutex);
        if (frame.isNull() && !source.path.isEmpty()) {
            readFailed = true;
            changed.notify_all();
            return;
        }
        waitingBytes += size_t(frame.sizeInBytes());
        waiting.push_back(std::move(frame));
        changed.notify_all();
    }
}
