#ifndef FRAMESTREAM_H
#define FRAMESTREAM_H

#include <QVector>

class QImage;

// Frames that arrive one after another from a producer of their own (a video being
// decoded), all of the job's canvas size, in playing order. A creation job takes them as its
// run reaches them, instead of a list of frames.
class FrameStream
{
public:
    virtual ~FrameStream() = default;

    // Waits for the next frame (Format_RGBA8888). False when none follows: the stream is at
    // its end, its producer failed (failed() tells) or it was stopped.
    virtual bool takeNext(QImage *frame) = 0;
    // Whether the stream ended because its producer failed, not at its end.
    virtual bool failed() const = 0;
    // How many frames the stream is expected to give, for progress; 0 when not known.
    virtual int expectedFrames() const = 0;
    // Ends the stream, from any thread: a takeNext() waiting returns false at once, and so
    // does a sampleFrames() under way.
    virtual void stop() = 0;

    // For a job under a size limit, which must know its frames before it writes them: the
    // frames at these places of the stream (0 the first, in increasing order), made apart
    // from it, into frames in order. Fewer when the stream ends before the last place; false
    // when the producer failed or the stream was stopped.
    virtual bool sampleFrames(const QVector<int> &places, QVector<QImage> *frames) = 0;
    // Starts the stream again from its first frame, for a second try at a size limit; false
    // when it cannot (stopped).
    virtual bool restart() = 0;
};

#endif
