#ifndef FRAMEREADAHEAD_H
#define FRAMEREADAHEAD_H

#include <QImage>
#include <QList>
#include <QString>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>

// One frame of a GIF job: a picture held in memory, or the file it is read from when the
// job reaches it.
struct FrameSource
{
    QImage image;  // used when path is empty
    QString path;
};

// Prepares a job's RGBA frames in order on a thread of its own, a little ahead of the
// encoder, so that the next frame is decoded while the current one is encoded. Only a few
// frames wait at any time, so memory does not grow with the length of the job.
class FrameReadAhead
{
public:
    explicit FrameReadAhead(const QList<FrameSource> &sources);
    // Stops reading and waits for the thread.
    ~FrameReadAhead();
    FrameReadAhead(const FrameReadAhead &) = delete;
    FrameReadAhead &operator=(const FrameReadAhead &) = delete;

    // Waits for the next frame. Returns false when its file could not be read; nothing
    // follows it then. A picture held in memory is passed on even when it is empty.
    bool takeNext(QImage *frame);

private:
    void run();

    static const size_t MaxFramesWaiting = 2;
    static const size_t MaxBytesWaiting = 128u << 20;

    const QList<FrameSource> sources;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QImage> waiting;
    size_t waitingBytes = 0;
    bool readFailed = false;
    bool stopping = false;
    std::thread thread; // last: starts once everything above is set up
};

#endif
