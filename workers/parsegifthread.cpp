#include "workers/parsegifthread.h"

#include <QImage>
#include <QImageReader>

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

// The frames come from the image reader that QMovie itself wraps: QMovie keeps a QPixmap,
// which may not be made off the GUI thread. The reader hands out each frame composed over
// the ones before it, as the movie would show it.
void ParseGifThread::run()
{
    QImageReader reader(gifFilePath, QByteArray());
    const int n = reader.imageCount();
    for (int i = 0; i < n && !stopRequested; ++i) {
        const QImage frame = reader.read();
        if (frame.isNull())
            continue;
        const QString pngPath = pngFolder + "/" + QString::number(i + 1) + ".png";
        frame.save(pngPath, "png", -1);
        emit updateprogress(int(10000LL * (i + 1) / n));
    }
    stopRequested = false;
}
