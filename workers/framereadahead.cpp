#include "workers/framereadahead.h"

#include "workers/framecompose.h"
#include "workers/framefile.h"

#include <algorithm>

FrameReadAhead::FrameReadAhead(const QList<FrameSource> &sources, const QSize &canvas,
                               const GifJobChoices &choices, const QSize &gifSize)
    : sources(sources), canvas(canvas), choices(choices), gifSize(gifSize),
      firstUnreadable(sources.size())
{
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int count = std::min({cores, MaxFramesAhead, std::max(1, int(sources.size()))});
    for (int i = 0; i < count; ++i)
        readers.emplace_back(&FrameReadAhead::run, this);
}

FrameReadAhead::~FrameReadAhead()
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        stopping = true;
    }
    changed.notify_all();
    for (std::thread &reader : readers)
        reader.join();
}

bool FrameReadAhead::takeNext(QImage *frame)
{
    std::unique_lock<std::mutex> locker(mutex);
    changed.wait(locker, [this] {
        return waiting.count(nextToTake) || firstUnreadable == nextToTake;
    });
    const auto next = waiting.find(nextToTake);
    if (next == waiting.end())
        return false;
    *frame = std::move(next->second);
    waiting.erase(next);
    waitingBytes -= size_t(frame->sizeInBytes());
    nextToTake++;
    locker.unlock();
    changed.notify_all();
    return true;
}

void FrameReadAhead::run()
{
    PngScratch scratch;
    std::unique_lock<std::mutex> locker(mutex);
    for (;;) {
        // The next frame the encoder will take is read whatever its size; more only while
        // they fit the bounds, the frames being read counted at the size of the last one.
        changed.wait(locker, [this] {
            const size_t reading = size_t(nextToRead - nextToTake) - waiting.size();
            return stopping || nextToRead >= firstUnreadable || nextToRead == nextToTake
                   || (nextToRead - nextToTake < MaxFramesAhead
                       && waitingBytes + (reading + 1) * lastFrameBytes <= MaxBytesWaiting);
        });
        if (stopping || nextToRead >= firstUnreadable)
            return;
        const int index = nextToRead++;
        locker.unlock();
        const FrameSource &source = sources.at(index);
        QImage frame = shrinkFrame(composeOnCanvas(source.path.isEmpty()
                                                       ? source.image
                                                       : readFrameFile(source.path, &scratch),
                                                   canvas, choices),
                                   gifSize);
        locker.lock();
        if (frame.isNull() && !source.path.isEmpty()) {
            firstUnreadable = std::min(firstUnreadable, index);
        } else {
            lastFrameBytes = size_t(frame.sizeInBytes());
            waitingBytes += lastFrameBytes;
            waiting.emplace(index, std::move(frame));
        }
        changed.notify_all();
    }
}
