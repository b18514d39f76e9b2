#include "workers/parsegifthread.h"
#include "workers/framesavequeue.h"
#include "workers/gifframereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

// Decoded frames waiting for their PNG encoding take at most this much, or one frame.
const qint64 MostBytesInFlight = 256LL * 1024 * 1024;

QString framePath(const QString &folder, int index)
{
    return folder + QLatin1Char('/') + QString::number(index + 1) + QStringLiteral(".png");
}

} // namespace

ParseGifThread::ParseGifThread(QObject *parent)
    : QThread(parent)
{
}

// Destroying a running thread aborts the program, so a job still running is stopped first.
ParseGifThread::~ParseGifThread()
{
    requestStop();
    wait();
}

// The thread's own interruption flag is cleared by every start() and ignores requests
// while the thread is idle or ending, so a stop never reaches the next run.
void ParseGifThread::requestStop()
{
    requestInterruption();
}

void ParseGifThread::run()
{
    framesKept = 0;
    folderMade = false;
    outcome = resolveFrames();
    if (outcome == JobOutcome::Stopped || framesKept == 0)
        removeKeptFrames();
}

JobOutcome ParseGifThread::resolveFrames()
{
    QFile file(gifFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return JobOutcome::NotAGif;
    GifFrameReader frames(&file);
    switch (frames.problem()) {
    case GifFrameReader::Problem::NotAGif:
        return JobOutcome::NotAGif;
    case GifFrameReader::Problem::TooLarge:
        return JobOutcome::TooLarge;
    case GifFrameReader::Problem::NoWholeFrame:
        return JobOutcome::Damaged;
    case GifFrameReader::Problem::None:
        break;
    }
    const GifLayout &layout = frames.layout();
    const qint64 canvasPixels = qint64(layout.canvas.width()) * layout.canvas.height();
    folderMade = QDir().mkdir(pngFolder);
    if (!folderMade && !QFileInfo(pngFolder).isDir())
        return JobOutcome::WriteFailed;

    const int framesInFlight = int(MostBytesInFlight / qMax<qint64>(4, 4 * canvasPixels));
    const JobOutcome saved = saveFrames(&frames, framesInFlight);
    return saved == JobOutcome::Completed && !layout.intact ? JobOutcome::Damaged : saved;
}

// The frames come from the image reader that QMovie itself wraps: QMovie keeps a QPixmap,
// which may not be made off the GUI thread. The reader hands out each frame composed over
// the ones before it, as the movie would show it. Progress is reported frame by frame in
// order, once a frame's file is complete.
JobOutcome ParseGifThread::saveFrames(GifFrameReader *frames, int framesInFlight)
{
    const int frameCount = frames->layout().wholeFrames;
    FrameSaveQueue queue(framesInFlight, [this] { return isInterruptionRequested(); });
    bool saveFailed = false;
    // A frame counts only when every frame before it was saved; one saved after a failure
    // is removed again.
    auto takeOldest = [&](bool wait) {
        FrameSaveQueue::Saved saved;
        if (!queue.takeOldest(wait, &saved))
            return false;
        if (saved.written && !saveFailed) {
            framesKept++;
            emit updateprogress(int(10000LL * framesKept / frameCount));
        } else {
            saveFailed = true;
            if (saved.written)
                QFile::remove(saved.path);
        }
        return true;
    };

    bool readFailed = false;
    for (int i = 0; i < frameCount && !saveFailed && !isInterruptionRequested(); ++i) {
        // Room first: the frame being decoded counts among those held.
        if (!queue.hasRoom())
            takeOldest(true);
        const QImage frame = frames->readFrame();
        if (frame.isNull()) {
            readFailed = true;
            break;
        }
        queue.add(frame, framePath(pngFolder, i));
        while (takeOldest(false)) {
        }
    }
    while (takeOldest(true)) {
    }
    if (isInterruptionRequested())
        return JobOutcome::Stopped;
    if (saveFailed)
        return JobOutcome::WriteFailed;
    return readFailed ? JobOutcome::Damaged : JobOutcome::Completed;
}

void ParseGifThread::removeKeptFrames()
{
    for (int i = 0; i < framesKept; ++i)
        QFile::remove(framePath(pngFolder, i));
    framesKept = 0;
    if (folderMade)
        QDir().rmdir(pngFolder);
    folderMade = false;
}
