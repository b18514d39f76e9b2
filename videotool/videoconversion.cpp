#include "videotool/videoconversion.h"

#include "videotool/conversionlimits.h"
#include "videotool/stopprocess.h"
#include "videotool/videoframestream.h"
#include "workers/partialfile.h"

#include <QFileInfo>

VideoConversion::VideoConversion(QProcess *process, QObject *parent)
    : QObject(parent), process(process)
{
    connect(process, &QProcess::readyReadStandardOutput, this,
            &VideoConversion::process_ReadyRead);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &VideoConversion::process_Finished);
    connect(process, &QProcess::errorOccurred, this, &VideoConversion::process_Error);
    connect(&creater, &GifCreaterThread::updateprogress, this,
            &VideoConversion::creater_updateprogress);
    connect(&creater, &QThread::finished, this, &VideoConversion::creater_Finished);
}

VideoConversion::~VideoConversion()
{
    cancel();
}

bool VideoConversion::start(const QString &ffmpeg, const QString &video, const VideoFacts &clip,
                            const GifSettings &settings, const QString &gifPath,
                            QString *reason)
{
    cancel();
    if (conversionProblem(settings, clip) != ConversionProblem::None) {
        if (reason)
            *reason = QStringLiteral("the settings do not suit the clip");
        return false;
    }
    if (QFileInfo(gifPath).isDir()) {
        if (reason)
            *reason = QStringLiteral("it is a folder");
        return false;
    }
    partialFile = std::make_unique<PartialFile>(gifPath);
    if (!partialFile->isOpen()) {
        if (reason)
            *reason = partialFile->errorString();
        partialFile.reset();
        return false;
    }

    running = true;
    ++runNumber;
    if (encodedByUs(settings)) {
        // The creation worker writes beside the GIF itself; the file made here only showed
        // that it can.
        partialFile.reset();
        startEncoding(ffmpeg, video, clip, settings, gifPath);
        return true;
    }
    toolProgress.restart(convertedLengthMs(settings, clip));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(ffmpeg, conversionArguments(settings, video, partialFile->path()),
                   QIODevice::ReadWrite);
    return true;
}

void VideoConversion::cancel()
{
    running = false;
    ++runNumber;
    stopProcess(*process);
    // Stopping the worker ends its frame stream, which stops the tool.
    creater.requestStop();
    creater.wait();
    frameStream.reset();
    partialFile.reset();
}

int VideoConversion::progress() const
{
    return frameStream ? encodedProgress : toolProgress.progress();
}

void VideoConversion::process_ReadyRead()
{
    // Everything is read on each signal, so that a long conversion's log never piles up.
    const QByteArray output = process->readAllStandardOutput();
    if (!running || output.isEmpty())
        return;
    emit toolOutput(output);
    const int before = toolProgress.progress();
    toolProgress.add(output);
    if (toolProgress.progress() != before)
        emit updateprogress(toolProgress.progress());
}

void VideoConversion::process_Finished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (!running)
        return;
    process_ReadyRead();
    // The tool leaves an empty file behind when nothing was encoded (a start past the end),
    // and a cut-off one when it crashed or gave up part-way.
    Outcome outcome = Outcome::Completed;
    if (exitStatus != QProcess::NormalExit || exitCode != 0)
        outcome = Outcome::ToolFailed;
    else if (QFileInfo(partialFile->path()).size() <= 0)
        outcome = Outcome::NoFrames;
    else if (!partialFile->commit())
        outcome = Outcome::NotReplaced;
    end(outcome);
}

void VideoConversion::process_Error(QProcess::ProcessError error)
{
    // A tool that never started never finishes. This may be reported inside start(), so
    // the end waits until the caller is back in its event loop.
    if (error != QProcess::FailedToStart || !running)
        return;
    const quint64 failedRun = runNumber;
    QMetaObject::invokeMethod(
        this,
        [this, failedRun] {
            if (running && runNumber == failedRun)
                end(Outcome::ToolNotStarted);
        },
        Qt::QueuedConnection);
}

void VideoConversion::startEncoding(const QString &ffmpeg, const QString &video,
                                    const VideoFacts &clip, const GifSettings &settings,
                                    const QString &gifPath)
{
    GifSettings decoded = settings;
    const QSize size = gifSizeFor(settings.width, settings.height, clip.size);
    decoded.width = size.width();
    decoded.height = size.height();
    const qint64 expected = (convertedLengthMs(settings, clip) * settings.frameRate + 999) / 1000;
    frameStream = std::make_shared<VideoFrameStream>(ffmpeg, decoded, video, int(expected));
    encodedProgress = expected > 0 ? 0 : -1;
    GifJobChoices choices;
    choices.frameRate = settings.frameRate;
    choices.encoding.quality = settings.quality;
    choices.maxBytes = settings.maxBytes;
    creater.startJob(makeStreamGifJob(gifPath, frameStream, size, choices));
}

void VideoConversion::creater_updateprogress(int progress)
{
    if (!running || !frameStream)
        return;
    encodedProgress = progress;
    emit updateprogress(progress);
}

void VideoConversion::creater_Finished()
{
    // The end of a run called off is late: no run, or the next one's worker, is going.
    if (!running || !frameStream || creater.isRunning())
        return;
    const Outcome outcome = encodingOutcome();
    // A worker that could not write leaves the tool waiting to hand over its next frame.
    frameStream->stop();
    frameStream.reset();
    end(outcome);
}

VideoConversion::Outcome VideoConversion::encodingOutcome() const
{
    switch (frameStream->ending()) {
    case VideoFrameStream::Ending::NotStarted:
        return Outcome::ToolNotStarted;
    case VideoFrameStream::Ending::ToolFailed:
        return Outcome::ToolFailed;
    default:
        break;
    }
    // A limit found out of reach from a sample of frames ends before any frame is written.
    if (creater.outcome == JobOutcome::CannotFit)
        return Outcome::CannotFit;
    if (frameStream->framesTaken() == 0)
        return Outcome::NoFrames;
    // The worker puts the GIF in its place only when it is whole.
    return creater.outcome == JobOutcome::Completed ? Outcome::Completed : Outcome::WriteFailed;
}

void VideoConversion::end(Outcome outcome)
{
    partialFile.reset(); // removes what a run that did not end well wrote
    running = false;
    emit finished(outcome);
}
