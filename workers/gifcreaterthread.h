#ifndef GIFCREATERTHREAD_H
#define GIFCREATERTHREAD_H

#include "workers/gifjob.h"
#include "workers/joboutcome.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

class FrameReadAhead;
struct GifEncoder;
struct GifFileState;

// Encodes a list of frames into one GIF on its own thread, reporting progress in
// ten-thousandths after each frame. Frames given as files are read when the run reaches
// them, on other threads while the frames before are encoded; every picture becomes the
// frame composeOnCanvas makes of it. The encoder honours alpha (GifOptions::alpha) when
// some frame may show clear pixels (framesMayBeClear). A job's frame stream is read as its
// frames arrive. The GIF is written beside gifFilePath (workers/partialfile.h) and takes
// its place only when complete.
class GifCreaterThread : public QThread
{
    Q_OBJECT

public:
    explicit GifCreaterThread(QObject *parent = nullptr);
    ~GifCreaterThread() override;

    // Takes the job whole and starts it; call it while no job runs.
    void startJob(const GifJob &job);
    // Asks a running job to stop after the current frame, ending its frame stream; its
    // unfinished file is removed.
    void requestStop();

    // The job being run, as startJob() left it.
    QList<FrameSource> frameList;
    std::shared_ptr<FrameStream> frameStream;
    int gifWidth = MinGifCanvas.width();
    int gifHeight = MinGifCanvas.height();
    int delay = 10;  // of the frame rate; each frame has its own
    QString gifFilePath;
    GifJobChoices choices;
    QMutex listLock;
    // How the last run ended and, when a frame file could not be read, which one; read them
    // once finished() has arrived.
    JobOutcome outcome = JobOutcome::Completed;
    QString unreadableFile;
    // Why the GIF could not even be started, when the system said; may be empty.
    QString writeError;

signals:
    void updateprogress(int progress);

protected:
    void run() override;

private:
    JobOutcome writeFrames(const GifEncoder &encoder, GifFileState *state,
                           FrameReadAhead *frames);
    JobOutcome writeStreamFrames(const GifEncoder &encoder, GifFileState *state);
};

#endif
