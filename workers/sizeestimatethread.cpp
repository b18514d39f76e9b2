#include "workers/sizeestimatethread.h"

#include "workers/frameformat.h"
#include "workers/sizefitter.h"

namespace {

// The job's GIF as its sample tells, as estimated() reports it; false when not told.
bool estimateJob(const GifJob &job, const std::function<bool()> &stopped, qint64 *bytes,
                 bool *fits)
{
    // A canvas the creation refuses would take gigabytes to sample.
    if (job.frames.isEmpty() || !frameSizeAllowed(job.canvas))
        return false;
    SizeFitter fitter(job, stopped, nullptr);
    *fits = true;
    if (job.choices.maxBytes <= 0)
        return fitter.estimateAsItIs(bytes);
    FitPlan plan;
    if (!fitter.plan(1, &plan))
        return false;
    *bytes = plan.expectedBytes;
    *fits = plan.kind != FitPlan::Kind::Unreachable;
    return true;
}

} // namespace

SizeEstimateThread::SizeEstimateThread(QObject *parent) : QThread(parent) {}

SizeEstimateThread::~SizeEstimateThread()
{
    {
        QMutexLocker locker(&lock);
        quitting = true;
        ++newestTicket;
        jobWaiting.wakeAll();
    }
    wait();
}

void SizeEstimateThread::estimate(const GifJob &job)
{
    QMutexLocker locker(&lock);
    waitingJob = job;
    hasWaitingJob = true;
    ++newestTicket;
    jobWaiting.wakeAll();
    // The thread waits for jobs once started; the estimate yields to the window and the
    // creation.
    if (!isRunning())
        start(QThread::LowPriority);
}

void SizeEstimateThread::stop()
{
    QMutexLocker locker(&lock);
    waitingJob = GifJob();
    hasWaitingJob = false;
    ++newestTicket;
}

bool SizeEstimateThread::takeJob(GifJob *job, quint64 *ticket)
{
    QMutexLocker locker(&lock);
    while (!hasWaitingJob && !quitting)
        jobWaiting.wait(&lock);
    if (quitting)
        return false;
    *job = waitingJob;
    waitingJob = GifJob(); // the pictures' list is let go with the estimate
    hasWaitingJob = false;
    *ticket = newestTicket;
    return true;
}

void SizeEstimateThread::run()
{
    GifJob job;
    quint64 ticket = 0;
    while (takeJob(&job, &ticket)) {
        qint64 bytes = 0;
        bool fits = true;
        const auto stopped = [this, ticket] { return newestTicket != ticket; };
        if (estimateJob(job, stopped, &bytes, &fits) && !stopped())
            report(ticket, bytes, fits);
        job = GifJob();
    }
}

// A job given or a stop made after the estimate ended, but before its report reaches the
// thread that owns this object, makes it stale there too.
void SizeEstimateThread::report(quint64 ticket, qint64 bytes, bool fits)
{
    QMetaObject::invokeMethod(
        this,
        [this, ticket, bytes, fits] {
            if (newestTicket == ticket)
                emit estimated(bytes, fits);
        },
        Qt::QueuedConnection);
}
