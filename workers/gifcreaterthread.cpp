#include "workers/gifcreaterthread.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "workers/framefile.h"
#include "workers/framereadahead.h"
#include "workers/partialfile.h"

#include <QDebug>

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
    // Written beside its place and moved there only when whole: a run that fails, stops
    // or is killed leaves no cut-off GIF under the name, and an earlier file as it was.
    PartialFile output(gifFilePath);
    writeError = output.errorString();
    if (!output.isOpen()) {
        outcome = JobOutcome::WriteFailed;
        return;
    }
    const QByteArray path = output.path().toUtf8();
    GifFileState state =
        openGifStream(path.constData(), gifWidth, gifHeight, delay, choices.encoding);
    if (!state.outputFile) {
        outcome = JobOutcome::WriteFailed;
        return;
    }
    // The encoder outlives the stream: the last frame's bytes are written as it closes.
    const GifEncoder encoder;
    outcome = writeFrames(encoder, &state);
    if (!closeGifStream(&state) && outcome == JobOutcome::Completed)
        outcome = JobOutcome::WriteFailed;
    if (outcome == JobOutcome::Completed && !output.commit())
        outcome = JobOutcome::WriteFailed;
    qDebug() << "create end.....";
}

JobOutcome GifCreaterThread::writeFrames(const GifEncoder &encoder, GifFileState *state)
{
    const int n = frameList.size();
    FrameReadAhead frames(frameList);
    for (int i = 0; i < n; ++i) {
        if (isInterruptionRequested())
            return JobOutcome::Stopped;
        QImage frame;
        if (!frames.takeNext(&frame)) {
            unreadableFile = frameList.at(i).path;
            return JobOutcome::Unreadable;
        }
        // A file that grew since it was chosen keeps to the canvas it was chosen for.
        if (frame.width() > gifWidth || frame.height() > gifHeight)
            frame = frame.copy(0, 0, qMin(frame.width(), gifWidth), qMin(frame.height(), gifHeight));
        // Frames that cannot be stored (empty ones) are skipped.
        encoder.encodeFrame(state, frame.constBits(), frame.width(), frame.height(),
                            frameList.at(i).delay, 8);
        if (gifStreamHasError(state))
            return JobOutcome::WriteFailed;
        emit updateprogress(int(10000LL * (i + 1) / n));
    }
    return JobOutcome::Completed;
}
