#ifndef VIDEOFRAMESTREAM_H
#define VIDEOFRAMESTREAM_H

#include "videotool/videotoolcommand.h"
#include "workers/framestream.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

class QProcess;
class QThread;

// The frames of a clip as the video tool decodes them: raw RGBA frames of one known size on
// the tool's standard output (see decodeArguments), read on a thread of their own a few
// frames ahead of the encoder. The tool waits while those few are not taken, so memory does
// not grow with the clip. A sample of frames is decoded by a run of the tool of its own,
// which picks the frames with its select filter; the stream itself waits meanwhile.
class VideoFrameStream : public FrameStream
{
public:
    enum class Ending {
        Running,
        Ended,      // the tool wrote its last frame and ended well
        ToolFailed, // the tool crashed or ended with an error (no usable clip)
        NotStarted, // the tool could not be started at all
        Stopped,
    };

    // Starts the tool (ffmpeg, see videoToolPath) at once on the video, decoding it as the
    // settings say (decodeArguments), which give both sides of the frames; expectedFrames of
    // them as far as known (0 when not).
    VideoFrameStream(const QString &ffmpeg, const GifSettings &decoded, const QString &video,
                     int expectedFrames);
    // Stops the tool and waits for the reading thread.
    ~VideoFrameStream() override;
    VideoFrameStream(const VideoFrameStream &) = delete;
    VideoFrameStream &operator=(const VideoFrameStream &) = delete;

    bool takeNext(QImage *frame) override;
    bool failed() const override;
    int expectedFrames() const override { return expected; }
    void stop() override;
    bool sampleFrames(const QVector<int> &places, QVector<QImage> *frames) override;
    bool restart() override;

    // How the tool ended; Running until then.
    Ending ending() const;
    // Frames taken so far.
    int framesTaken() const;

private:
    VideoFrameStream(const QString &ffmpeg, const QStringList &arguments,
                     const GifSettings &decoded, const QString &video, int expectedFrames);
    void start();
    void readFrames();
    bool readWhole(QProcess *tool, uchar *into, qint64 size);
    bool handOver(QImage frame);
    void end(Ending how);
    bool stopRequested() const;

    // Frames read and not yet taken, and the bytes they may take together; the next frame
    // is always read.
    static const int MaxFramesAhead = 3;
    static const qint64 MaxBytesWaiting = qint64(128) << 20;

    const QString program;
    const QStringList arguments;
    // What the arguments were made of, for a sample's; the video empty for a sample itself.
    const GifSettings decoded;
    const QString video;
    const QSize size;
    const int expected;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<QImage> waiting;
    Ending how = Ending::Running;
    int taken = 0;
    bool stopping = false;
    VideoFrameStream *sample = nullptr; // while sampleFrames() runs
    std::unique_ptr<QThread> reader; // last: it starts once everything above is set up
};

#endif
