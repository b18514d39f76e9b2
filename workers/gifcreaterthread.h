#ifndef GIFCREATERTHREAD_H
#define GIFCREATERTHREAD_H

#include "workers/framereadahead.h"

#include <QImage>
#include <QList>
#include <QMutex>
#include <QSize>
#include <QString>
#include <QThread>

// A GIF's canvas is as large as its largest frame, and at least this large.
const QSize MinGifCanvas(20, 20);

// Encodes a list of frames into one looping GIF on its own thread, reporting progress in
// ten-thousandths after each frame. Frames given as files are read when the run reaches
// them, on other threads while the frames before are encoded.
class GifCreaterThread : public QThread
{
    Q_OBJECT

public:
    explicit GifCreaterThread(QObject *parent = nullptr);
    ~GifCreaterThread() override;

    // Append a frame held in memory, or the file to read one from; both block while a run
    // holds the list.
    void addImage(const QImage &image);
    void addImageFile(const QString &path);
    void setGifSize(int width, int height);
    // Asks a running job to stop after the current frame; its unfinished file is removed.
    void requestStop();

    QList<FrameSource> frameList;
    int gifWidth = MinGifCanvas.width();
    int gifHeight = MinGifCanvas.height();
    int delay = 10;
    QString gifFilePath;
    // Write only what changes between the pictures: much smaller for screen recordings.
    bool smallerFile = false;
    // 1 to 100: below 100 the file is smaller and the pictures less exact.
    int quality = 100;
    QMutex listLock;
    // Read in the finished() slot: true only when the whole file was written.
    bool succeeded = false;
    // Read in the finished() slot: the frame file the run could not read, or empty.
    QString unreadableFile;

signals:
    void updateprogress(int progress);

protected:
    void run() override;
};

#endif
