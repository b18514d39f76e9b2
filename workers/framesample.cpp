#include "workers/framesample.h"

#include "workers/framecompose.h"
#include "workers/framefile.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

FrameSample::FrameSample(const GifJob &job, std::function<bool()> stopped)
    : job(job), stopped(std::move(stopped)),
      count(job.stream ? job.stream->expectedFrames() : job.frames.size())
{
}

qint64 FrameSample::frameBytes() const
{
    return 4 * qint64(job.canvas.width()) * job.canvas.height();
}

bool FrameSample::load(const QVector<int> &places)
{
    for (auto held = frames.begin(); held != frames.end();)
        held = places.contains(held->first) ? std::next(held) : frames.erase(held);
    QVector<int> missing;
    for (int place : places) {
        if (!has(place))
            missing << place;
    }
    if (missing.isEmpty())
        return true;
    if (!job.stream)
        return loadPictures(missing);
    QVector<QImage> made;
    if (!job.stream->sampleFrames(missing, &made))
        return false;
    for (int i = 0; i < made.size(); ++i)
        frames[missing.at(i)] = made.at(i);
    return true;
}

bool FrameSample::loadPictures(const QVector<int> &places)
{
    QVector<QImage> made(places.size());
    std::atomic<int> next{0};
    std::atomic<int> firstUnreadable{int(places.size())};
    auto reader = [&] {
        PngScratch scratch;
        for (int i = next++; i < firstUnreadable && !stopped(); i = next++) {
            const FrameSource &source = job.frames.at(places.at(i));
            made[i] = composeOnCanvas(source.path.isEmpty()
                                          ? source.image
                                          : readFrameFile(source.path, &scratch),
                                      job.canvas, job.choices);
            int seen = firstUnreadable;
            while (made.at(i).isNull() && !source.path.isEmpty() && i < seen
                   && !firstUnreadable.compare_exchange_weak(seen, i)) {
            }
        }
    };
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min(cores, int(places.size())); ++t)
        helpers.emplace_back(reader);
    reader();
    for (std::thread &helper : helpers)
        helper.join();
    if (stopped())
        return false;
    if (firstUnreadable < places.size()) {
        unreadableFile = job.frames.at(places.at(firstUnreadable)).path;
        return false;
    }
    for (int i = 0; i < places.size(); ++i)
        frames[places.at(i)] = made.at(i);
    return true;
}
