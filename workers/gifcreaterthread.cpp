#include "workers/gifcreaterthread.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"

#include <QDebug>
#include <QFile>
#include <QWriteLocker>

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
    QWriteLocker locker(&listLock);
    imageList.append(image);
}

void GifCreaterThread::setGifSize(int width, int height)
{
    gifWidth = width;
    gifHeight = height;
}

// Only a running job takes the request, so that it cannot cancel the next one.
void GifCreaterThread::requestStop()
{
    if (isRunning())
        stopRequested = true;
}

void GifCreaterThread::run()
{
    QWriteLocker locker(&listLock);
    succeeded = false;
    const int n = imageList.size();
    GifEncoder encoder;
    const QByteArray path = gifFilePath.toUtf8();
    GifFileState state =
        openGifStream(path.constData(), gifWidth, gifHeight, delay, smallerFile);
    if (!state.outputFile) {
        stopRequested = false;
        return;
    }

    bool complete = true;
    for (int i = 0; i < n; ++i) {
        if (stopRequested) {
            complete = false;
            break;
        }
        const QImage frame = imageList.at(i).convertToFormat(QImage::Format_RGBA8888);
        // Frames that cannot be stored (empty, larger than the canvas) are skipped.
        encoder.encodeFrame(&state, frame.constBits(), frame.width(), frame.height(), delay, 8);
        if (gifStreamHasError(&state)) {
            complete = false;
            break;
        }
        emit updateprogress(int(10000LL * (i + 1) / n));
    }

    const bool written = closeGifStream(&state);
    succeeded = complete && written;
    if (!succeeded)
        QFile::remove(gifFilePath);
    qDebug() << "create end.....";
    stopRequested = false;
}
