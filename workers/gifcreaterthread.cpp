#include "workers/gifcreaterthread.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"

#include <QDebug>
#include <QFile>

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

void GifCreaterThread::addImage(const QImage &image)
{
    QMutexLocker locker(&listLock);
    frameList.append({image, QString()});
}

void GifCreaterThread::addImageFile(const QString &path)
{
    QMutexLocker locker(&listLock);
    frameList.append({QImage(), path});
}

void GifCreaterThread::setGifSize(int width, int height)
{
    gifWidth = width;
    gifHeight = height;
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
    succeeded = false;
    unreadableFile.clear();
    const int n = frameList.size();
    GifEncoder encoder;
    const QByteArray path = gifFilePath.toUtf8();
    GifFileState state =
        openGifStream(path.constData(), gifWidth, gifHeight, delay, GifOptions{smallerFile, quality});
    if (!state.outputFile)
        return;

    bool complete = true;
    {
        FrameReadAhead frames(frameList);
        for (int i = 0; i < n; ++i) {
            if (isInterruptionRequested()) {
                complete = false;
                break;
            }
            QImage frame;
            if (!frames.takeNext(&frame)) {
                unreadableFile = frameList.at(i).path;
                complete = false;
                break;
            }
            // A file that grew since it was chosen keeps to the canvas it was chosen for.
            if (frame.width() > gifWidth || frame.height() > gifHeight)
                frame = frame.copy(0, 0, qMin(frame.width(), gifWidth),
                                   qMin(frame.height(), gifHeight));
            // Frames that cannot be stored (empty ones) are skipped.
            encoder.encodeFrame(&state, frame.constBits(), frame.width(), frame.height(), delay,
                                8);
            if (gifStreamHasError(&state)) {
                complete = false;
                break;
            }
            emit updateprogress(int(10000LL * (i + 1) / n));
        }
    }

    const bool written = closeGifStream(&state);
    succeeded = complete && written;
    if (!succeeded)
        QFile::remove(gifFilePath);
    qDebug() << "create end.....";
}
