#ifndef SIZEESTIMATETHREAD_H
#define SIZEESTIMATETHREAD_H

#include "workers/gifjob.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// Tells the size of a job's GIF before it is made, from a sample of its frames (SizeFitter)
// read on its own thread: the GIF as it is or, under a size limit, what the limited GIF
// comes to. A newer job stops the estimate under way and takes its place; only the newest
// job's estimate is reported, and none once stopped.
class SizeEstimateThread : public QThread
{
    Q_OBJECT

public:
    explicit SizeEstimateThread(QObject *parent = nullptr);
    // Stops the estimate under way and waits for the thread.
    ~SizeEstimateThread() override;

    // Estimates the job in place of any earlier one; returns at once.
    void estimate(const GifJob &job);
    // Drops the estimate under way or waiting, without waiting for it to end.
    void stop();

signals:
    // The newest job's GIF comes to about bytes; fits is false when it does not fit its size
    // limit even at the smallest settings (bytes is then the smallest it comes to). Not sent
    // when the estimate was stopped, a picture could not be read or the canvas is too large.
    void estimated(qint64 bytes, bool fits);

protected:
    void run() override;

private:
    bool takeJob(GifJob *job, quint64 *ticket);
    void report(quint64 ticket, qint64 bytes, bool fits);

    QMutex lock;
    QWaitCondition jobWaiting;
    GifJob waitingJob;
    bool hasWaitingJob = false;
    bool quitting = false;
    // Grows with every new job and every stop: an estimate whose ticket is older is stopped.
    std::atomic<quint64> newestTicket{0};
};

#endif
