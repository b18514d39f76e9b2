#include "workers/gifcreaterthread.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "workers/framecompose.h"
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
    // The first frames are read while the pictures' headers are asked about alpha.
    FrameReadAhead frames(frameList, QSize(gifWidth, gifHeight), choices);
    // Written beside its place and moved there only when whole: a run that fails, stops
    // or is killed leaves no cut-off GIF under the name, and an earlier file as it was.
    PartialFile output(gifFilePath);
    writeError = output.errorString();
    if (!output.isOpen()) {
        outcome = JobOutcome::WriteFailed;
        return;
    }
    const QByteArray path = output.path().toUtf8();
    GifOptions options = choices.encoding;
    options.alpha = framesMayBeClear(frameList, QSize(gifWidth, gifHeight), choices);
    GifFileState state = openGifStream(path.constData(), gifWidth, gifHeight, delay, options);
    if (!state.outputFile) {
        outcome = JobOutcome::WriteFailed;
        return;
    }
    // The encoder outlives the stream: the last frame's bytes are written as it closes.
    const GifEncoder encoder;
    outcome = writeFrames(encoder, &state, &frames);
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
