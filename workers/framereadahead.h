#ifndef FRAMEREADAHEAD_H
#define FRAMEREADAHEAD_H

#include "workers/gifjob.h"

#include <QImage>
#include <QList>
#include <QString>

#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// Prepares a job's frames on threads of their own, a few frames ahead of the encoder, so
// that frames are decoded and composed on the canvas (composeOnCanvas), and shrunk to the
// GIF's size when it is smaller (shrinkFrame), while others are encoded. One reader per core: when the
// encoder leaves a core idle (on pictures that change little, decoding is most of the
// work), the readers fill it. Only a few frames are on their way at any time, so memory
// does not grow with the length of the job, and there are no more readers than that.
class FrameReadAhead
{
public:
    FrameReadAhead(const QList<FrameSource> &sources, const QSize &canvas,
                   const GifJobChoices &choices, const QSize &gifSize);
    // Stops reading and waits for the threads.
    ~FrameReadAhead();
    FrameReadAhead(const FrameReadAhead &) = delete;
    FrameReadAhead &operator=(const FrameReadAhead &) = delete;

    // Waits for the next frame, in order: gifSize, Format_RGBX8888 or RGBA8888. Returns
    // false when its file could not be read; nothing follows it then. A picture held in
    // memory is passed on even when it is empty (as a null frame).
    bool takeNext(QImage *frame);

private:
    void run();

    // Frames read or being read and not yet taken.
    static const int MaxFramesAhead = 4;
    static const size_t MaxBytesWaiting = 128u << 20;

    const QList<FrameSource> sources;
    const QSize canvas;
    const GifJobChoices choices;
    const QSize gifSize;
    std::mutex mutex;
    std::condition_variable changed;
    std::map<int, QImage> waiting; // by index
    size_t waitingBytes = 0;
    size_t lastFrameBytes = 0;
    int nextToRead = 0;
    int nextToTake = 0;
    int firstUnreadable;           // sources.size() while every file was read
    bool stopping = false;
    std::vector<std::thread> readers; // last: they start once everything above is set up
};

#endif
