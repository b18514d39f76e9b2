#include "videotool/videoconversion.h"

#include "videotool/conversionlimits.h"
#include "videotool/stopprocess.h"
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

    toolProgress.restart(convertedLengthMs(settings, clip));
    running = true;
    ++runNumber;
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
    partialFile.reset();
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

void VideoConversion::end(Outcome outcome)
{
    partialFile.reset(); // removes what a run that did not end well wrote
    running = false;
    emit finished(outcome);
}
