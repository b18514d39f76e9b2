#ifndef FRAMESTREAM_H
#define FRAMESTREAM_H

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
    // Ends the stream, from any thread: a takeNext() waiting returns false at once.
    virtual void stop() = 0;
};

#endif
