#ifndef GIFCREATERTHREAD_H
#define GIFCREATERTHREAD_H

#include "workers/gifjob.h"
#include "workers/joboutcome.h"
#include "workers/sizefitter.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

#include <memory>

class GifWriter;
class PartialFile;

// Encodes a job's frames into one GIF on its own thread (see GifWriter), reporting progress
// in ten-thousandths after each frame. The GIF takes the place of gifFilePath only when
// complete. Under a size limit (GifJobChoices::maxBytes) the job is planned first from
// samples of its frames (SizeFitter), which takes the first quarter of the progress; a GIF
// that comes out over the limit anyway is made again smaller, one far below it once more
// a little larger, and the GIF put in place is never over the limit.
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
    QSize canvas;    // pictures are composed on it
    int gifWidth = MinGifCanvas.width();   // the GIF's canvas, as asked
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
    // Under a size limit: the setting the GIF was made at, its level the mean of its frames';
    // when it could not be made (CannotFit), the smallest size the job comes to, as far as
    // known (0 when not).
    FitSetting fitSetting;
    qint64 smallestBytes = 0;

signals:
    void updateprogress(int progress);

protected:
    void run() override;

private:
    JobOutcome writeUnderLimit(const GifJob &job, GifWriter *writer,
                               std::unique_ptr<PartialFile> *file);
    // Progress of a part of the run, mapped into the share from progressFrom on.
    void reportProgress(int partProgress);

    int progressFrom = 0;
    int progressShare = 10000;
    int progressNow = 0;
};

#endif
