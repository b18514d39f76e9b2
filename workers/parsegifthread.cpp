#include "workers/parsegifthread.h"

#include <QImage>
#include <QMovie>

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

// Only a running job takes the request, so that it cannot cancel the next one.
void ParseGifThread::requestStop()
{
    if (isRunning())
        stopRequested = true;
}

void ParseGifThread::run()
{
    QMovie movie(gifFilePath, QByteArray());
    const int n = movie.frameCount();
    for (int i = 0; i < n && !stopRequested; ++i) {
        if (!movie.jumpToFrame(i))
            continue;
        const QString pngPath = pngFolder + "/" + QString::number(i + 1) + ".png";
        movie.currentImage().save(pngPath, "png", -1);
        emit updateprogress(int(10000LL * (i + 1) / n));
    }
    stopRequested = false;
}
