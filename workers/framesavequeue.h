#ifndef FRAMESAVEQUEUE_H
#define FRAMESAVEQUEUE_H

#include <QImage>
#include <QSemaphore>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>

// Saves frames as PNG files on every core, a bounded number at a time, and gives back the
// results in the order the frames were added. Decoding a GIF depends on the frame before,
// so it stays with the caller; the PNG encoding, the slow part, runs here.
class FrameSaveQueue
{
public:
    // The result of one save, in frame order.
    struct Saved
    {
        QString path;
        bool written = false;
    };

    // At most mostFrames frames are held at a time, at least one and never more than twice
    // the cores (or 8). stopped is asked before and during each save; once it answers true,
    // saves give up.
    FrameSaveQueue(int mostFrames, std::function<bool()> stopped);
    ~FrameSaveQueue();
    FrameSaveQueue(const FrameSaveQueue &) = delete;
    FrameSaveQueue &operator=(const FrameSaveQueue &) = delete;

    // Whether a frame can be added without taking a result first.
    bool hasRoom() const { return added - taken < window; }

    // Starts saving frame as path. Call only when hasRoom().
    void add(const QImage &frame, const QString &path);

    // Takes the result of the oldest save still held: waits for it when wait is true.
    // False when nothing is held, or the oldest save is not done and wait is false.
    bool takeOldest(bool wait, Saved *result);

private:
    struct Slot
    {
        QSemaphore done;
        Saved saved;
    };

    std::unique_ptr<Slot[]> ring;
    int window = 1;
    int added = 0;
    int taken = 0;
    std::function<bool()> stopped;
    QThreadPool savers;
};

#endif
