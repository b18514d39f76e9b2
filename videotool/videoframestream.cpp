#include "videotool/videoframestream.h"

#include "videotool/stopprocess.h"

#include <QProcess>
#include <QThread>

namespace {

// How often a reader waiting for the tool looks whether it is to stop.
const int StopPollMs = 50;

}

VideoFrameStream::VideoFrameStream(const QString &ffmpeg, const GifSettings &decoded,
                                   const QString &video, int expectedFrames)
    : VideoFrameStream(ffmpeg, decodeArguments(decoded, video), decoded, video, expectedFrames)
{
}

VideoFrameStream::VideoFrameStream(const QString &ffmpeg, const QStringList &arguments,
                                   const GifSettings &decoded, const QString &video,
                                   int expectedFrames)
    : program(ffmpeg), arguments(arguments), decoded(decoded), video(video),
      size(decoded.width, decoded.height), expected(expectedFrames)
{
    start();
}

VideoFrameStream::~VideoFrameStream()
{
    stop();
    reader->wait();
}

void VideoFrameStream::start()
{
    // The tool is a QProcess of the reading thread, so that only that thread ever uses it.
    reader.reset(QThread::create([this] { readFrames(); }));
    reader->start();
}

bool VideoFrameStream::takeNext(QImage *frame)
{
    std::unique_lock<std::mutex> locker(mutex);
    changed.wait(locker, [this] { return stopping || !waiting.empty() || how != Ending::Running; });
    if (stopping || waiting.empty())
        return false;
    *frame = std::move(waiting.front());
    waiting.pop_front();
    ++taken;
    locker.unlock();
    changed.notify_all();
    return true;
}

bool VideoFrameStream::failed() const
{
    const Ending now = ending();
    return now == Ending::ToolFailed || now == Ending::NotStarted;
}

void VideoFrameStream::stop()
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        stopping = true;
        if (sample)
            sample->stop();
    }
    changed.notify_all();
}

bool VideoFrameStream::sampleFrames(const QVector<int> &places, QVector<QImage> *frames)
{
    frames->clear();
    VideoFrameStream picked(program, decodeArguments(decoded, video, places), decoded,
                            QString(), places.size());
    {
        std::lock_guard<std::mutex> locker(mutex);
        if (stopping)
            return false;
        sample = &picked;
    }
    QImage frame;
    while (frames->size() < places.size() && picked.takeNext(&frame))
        frames->append(frame);
    std::lock_guard<std::mutex> locker(mutex);
    sample = nullptr;
    return !stopping && !picked.failed();
}

bool VideoFrameStream::restart()
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        if (stopping)
            return false;
        stopping = true;
    }
    changed.notify_all();
    reader->wait();
    {
        std::lock_guard<std::mutex> locker(mutex);
        waiting.clear();
        how = Ending::Running;
        taken = 0;
        stopping = false;
    }
    start();
    return true;
}

VideoFrameStream::Ending VideoFrameStream::ending() const
{
    std::lock_guard<std::mutex> locker(mutex);
    return how;
}

int VideoFrameStream::framesTaken() const
{
    std::lock_guard<std::mutex> locker(mutex);
    return taken;
}

void VideoFrameStream::readFrames()
{
    QProcess tool;
    // The tool is told to print errors only, and nobody reads them.
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(program, arguments, QIODevice::ReadOnly);
    if (!tool.waitForStarted(-1)) {
        end(Ending::NotStarted);
        return;
    }
    const qint64 frameBytes = qint64(size.width()) * size.height() * 4;
    for (;;) {
        QImage frame(size, QImage::Format_RGBA8888);
        // Rows of 4-byte pixels have no gaps, so the tool's bytes fill the picture as they are.
        if (frame.isNull() || !readWhole(&tool, frame.bits(), frameBytes)
            || !handOver(std::move(frame)))
            break;
    }
    // Still running: stopped, or no memory for the next frame.
    if (tool.state() != QProcess::NotRunning) {
        stopProcess(tool);
        end(stopRequested() ? Ending::Stopped : Ending::ToolFailed);
        return;
    }
    // A piece of a frame left over is a tool that failed, which its status tells.
    const bool good = tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    end(stopRequested() ? Ending::Stopped : good ? Ending::Ended : Ending::ToolFailed);
}

bool VideoFrameStream::readWhole(QProcess *tool, uchar *into, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        if (stopRequested())
            return false;
        const qint64 read = tool->read(reinterpret_cast<char *>(into) + got, size - got);
        if (read < 0)
            return false;
        got += read;
        if (read == 0) {
            // A tool that has ended has handed over all it wrote.
            if (tool->state() == QProcess::NotRunning)
                return false;
            tool->waitForReadyRead(StopPollMs);
        }
    }
    return true;
}

bool VideoFrameStream::handOver(QImage frame)
{
    const qint64 frameBytes = frame.sizeInBytes();
    std::unique_lock<std::mutex> locker(mutex);
    changed.wait(locker, [this, frameBytes] {
        return stopping || waiting.empty()
               || (int(waiting.size()) < MaxFramesAhead
                   && qint64(waiting.size() + 1) * frameBytes <= MaxBytesWaiting);
    });
    if (stopping)
        return false;
    waiting.push_back(std::move(frame));
    locker.unlock();
    changed.notify_all();
    return true;
}

void VideoFrameStream::end(Ending ending)
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        how = ending;
    }
    changed.notify_all();
}

bool VideoFrameStream::stopRequested() const
{
    std::lock_guard<std::mutex> locker(mutex);
    return stopping;
}
