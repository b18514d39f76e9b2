#ifndef PARSEGIFTHREAD_H
#define PARSEGIFTHREAD_H

#include "workers/joboutcome.h"

#include <QString>
#include <QThread>

class GifFrameReader;

// Splits a GIF into numbered PNG files (1.png, 2.png, ...) on its own thread, reporting
// progress in ten-thousandths after each frame saved. A run stops at the first frame it
// cannot read or save and leaves only complete files: 1.png up to framesKept.
class ParseGifThread : public QThread
{
    Q_OBJECT

public:
    explicit ParseGifThread(QObject *parent = nullptr);
    ~ParseGifThread() override;

    // Asks a running job to stop; a running save gives up at its next write. A request
    // while idle is ignored and never reaches the next run.
    void requestStop();
    // Removes the frames the last run kept, and its folder if the run made it. A stopped
    // run does this itself.
    void removeKeptFrames();

    QString gifFilePath;
    // Created by the run when it is missing (only its last part); a folder the run made is
    // removed again when the run keeps no frame.
    QString pngFolder;
    // How the last run ended and how many frames it kept; read them once finished() has
    // arrived.
    JobOutcome outcome = JobOutcome::Completed;
    int framesKept = 0;

signals:
    void updateprogress(int progress);

protected:
    void run() override;

private:
    JobOutcome resolveFrames();
    JobOutcome saveFrames(GifFrameReader *frames, int framesInFlight);

    bool folderMade = false;
};

#endif
