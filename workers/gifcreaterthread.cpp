#include "workers/gifcreaterthread.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "rules/framedelay.h"
#include "workers/framecompose.h"
#include "workers/framefile.h"
#include "workers/framereadahead.h"
#include "workers/partialfile.h"

#include <QDebug>
#include <QFile>
#include <memory>

GifCreaterThread::GifCreaterThread(QObject *parent)
    : QThread(parent)
{
}

// Destroying a running thread aborts the program, so a job still running is stopped first.
GifCreaterThread::~GifCreaterThread()
{
    requestStop();
    wait();
}

void GifCreaterThread::startJob(const GifJob &job)
{
    {
        QMutexLocker locker(&listLock);
        frameList = job.frames;
        frameStream = job.stream;
        gifWidth = job.canvas.width();
        gifHeight = job.canvas.height();
        delay = job.delay;
        gifFilePath = job.gifFilePath;
        choices = job.choices;
    }
    start(QThread::InheritPriority);
}

// The thread's own interruption flag is cleared by every start() and ignores requests
// while the thread is idle or ending, so a stop never reaches the next run.
void GifCreaterThread::requestStop()
{
    requestInterruption();
    if (frameStream)
        frameStream->stop();
}

void GifCreaterThread::run()
{
    QMutexLocker locker(&listLock);
    unreadableFile.clear();
    writeError.clear();
    // Two pictures, one very wide and one very tall, would ask for a canvas of gigabytes.
    if (!frameSizeAllowed(QSize(gifWidth, gifHeight))) {
        outcome = JobOutcome::TooLarge;
        return;
    }
    GifOptions options = choices.encoding;
    std::unique_ptr<FrameReadAhead> frames;
    if (!frameStream) {
        // The first frames are read while the pictures' headers are asked about alpha.
        frames = std::make_unique<FrameReadAhead>(frameList, QSize(gifWidth, gifHeight), choices);
        options.alpha = framesMayBeClear(frameList, QSize(gifWidth, gifHeight), choices);
    }
    // Written beside its place and moved there only when whole: a run that fails, stops
    // or is killed leaves no cut-off GIF under the name, and an earlier file as it was.
    PartialFile output(gifFilePath);
    writeError = output.errorString();
    if (!output.isOpen()) {
        outcome = JobOutcome::WriteFailed;
        return;
    }
    // The encoder widens a UTF-8 name on Windows; elsewhere it opens the name's bytes as
    // they are on disk, which need not be UTF-8.
#ifdef Q_OS_WIN
    const QByteArray path = output.path().toUtf8();
#else
    const QByteArray path = QFile::encodeName(output.path());
#endif
    GifFileState state = openGifStream(path.constData(), gifWidth, gifHeight, delay, options);
    if (!state.outputFile) {
        outcome = JobOutcome::WriteFailed;
        return;
    }
    // The encoder outlives the stream: the last frame's bytes are written as it closes.
    const GifEncoder encoder;
    outcome = frames ? writeFrames(encoder, &state, frames.get())
                     : writeStreamFrames(encoder, &state);
    if (!closeGifStream(&state) && outcome == JobOutcome::Completed)
        outcome = JobOutcome::WriteFailed;
    if (outcome == JobOutcome::Completed && !output.commit())
        outcome = JobOutcome::WriteFailed;
    qDebug() << "create end.....";
}

JobOutcome GifCreaterThread::writeFrames(const GifEncoder &encoder, GifFileState *state,
                                         FrameReadAhead *frames)
{
    const int n = frameList.size();
    for (int i = 0; i < n; ++i) {
        if (isInterruptionRequested())
            return JobOutcome::Stopped;
        QImage frame;
        if (!frames->takeNext(&frame)) {
            unreadableFile = frameList.at(i).path;
            return JobOutcome::Unreadable;
        }
        // Frames that cannot be stored (empty ones) are skipped.
        encoder.encodeFrame(state, frame.constBits(), frame.width(), frame.height(),
                            frameList.at(i).delay, 8);
        if (gifStreamHasError(state))
            return JobOutcome::WriteFailed;
        emit updateprogress(int(10000LL * (i + 1) / n));
    }
    return JobOutcome::Completed;
}

JobOutcome GifCreaterThread::writeStreamFrames(const GifEncoder &encoder, GifFileState *state)
{
    const int expected = frameStream->expectedFrames();
    QImage frame;
    int taken = 0;
    while (frameStream->takeNext(&frame)) {
        if (isInterruptionRequested())
            return JobOutcome::Stopped;
        encoder.encodeFrame(state, frame.constBits(), frame.width(), frame.height(),
                            delayOfFrame(choices.frameRate, taken++), 8);
        if (gifStreamHasError(state))
            return JobOutcome::WriteFailed;
        // The count is only expected: the whole is reached when the stream ends.
        if (expected > 0)
            emit updateprogress(int(qMin<qint64>(9999, 10000LL * taken / expected)));
    }
    if (isInterruptionRequested())
        return JobOutcome::Stopped;
    // A stream that gave no frame must not leave a GIF of none in the place of an earlier one.
    if (frameStream->failed() || taken == 0)
        return JobOutcome::Unreadable;
    emit updateprogress(10000);
    return JobOutcome::Completed;
}
