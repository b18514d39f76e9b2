#include "workers/gifcreaterthread.h"

#include "workers/frameformat.h"
#include "workers/gifwriter.h"
#include "workers/levelsteering.h"
#include "workers/partialfile.h"

#include <QDebug>
#include <QFileInfo>

namespace {

// The share of the progress that planning under a size limit takes.
const int PlanningShare = 2500;
// A GIF this share of its limit or more is near enough to it.
const double NearEnoughShare = 0.85;
// Writes under a limit at most; after each that came out over it, the next plan is this
// share more careful than the last one found.
const int MostWrites = 4;
const double ExtraCaution = 0.03;

} // namespace

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

void GifCreaterThread::startJob(const GifJob &job)
{
    {
        QMutexLocker locker(&listLock);
        frameList = job.frames;
        frameStream = job.stream;
        canvas = job.canvas;
        gifWidth = job.gifCanvas().width();
        gifHeight = job.gifCanvas().height();
        delay = job.delay;
        gifFilePath = job.gifFilePath;
        choices = job.choices;
    }
    start(QThread::InheritPriority);
}

// The thread's own interruption flag is cleared by every start() and ignores requests
// while the thread is idle or ending, so a stop never reaches the next run.
void GifCreaterThread::requestStop()
{
    requestInterruption();
    if (frameStream)
        frameStream->stop();
}

void GifCreaterThread::run()
{
    QMutexLocker locker(&listLock);
    unreadableFile.clear();
    writeError.clear();
    smallestBytes = 0;
    fitSetting = FitSetting{choices.encoding.quality, 1, 0};
    progressFrom = 0;
    progressShare = 10000;
    progressNow = 0;
    // Two pictures, one very wide and one very tall, would ask for a canvas of gigabytes.
    if (!frameSizeAllowed(canvas)) {
        outcome = JobOutcome::TooLarge;
        return;
    }
    GifJob job;
    job.gifFilePath = gifFilePath;
    job.frames = frameList;
    job.stream = frameStream;
    job.canvas = canvas;
    job.gifSize = QSize(gifWidth, gifHeight);
    job.delay = delay;
    job.choices = choices;
    GifWriter writer([this] { return isInterruptionRequested(); },
                     [this](int progress) { reportProgress(progress); });
    std::unique_ptr<PartialFile> file;
    outcome = choices.maxBytes > 0 ? writeUnderLimit(job, &writer, &file)
                                   : writer.write(job, &file);
    if (unreadableFile.isEmpty())
        unreadableFile = writer.unreadableFile;
    writeError = writer.writeError;
    if (outcome == JobOutcome::Completed && !file->commit())
        outcome = JobOutcome::WriteFailed;
    qDebug() << "create end.....";
}

void GifCreaterThread::reportProgress(int partProgress)
{
    progressNow = progressFrom + int(qint64(partProgress) * progressShare / 10000);
    emit updateprogress(progressNow);
}

JobOutcome GifCreaterThread::writeUnderLimit(const GifJob &job, GifWriter *writer,
                                             std::unique_ptr<PartialFile> *file)
{
    const qint64 limit = job.choices.maxBytes;
    const int total = job.stream ? job.stream->expectedFrames() : job.frames.size();
    // Without frames there is nothing to sample nor to make smaller.
    if (!job.stream && total == 0) {
        const JobOutcome outcome = writer->write(job, file);
        if (outcome == JobOutcome::Completed && QFileInfo((*file)->path()).size() > limit) {
            smallestBytes = QFileInfo((*file)->path()).size();
            file->reset();
            return JobOutcome::CannotFit;
        }
        return outcome;
    }
    progressShare = PlanningShare;
    SizeFitter fitter(
        job, [this] { return isInterruptionRequested(); },
        [this](int progress) { reportProgress(progress); });
    double correction = 1;
    // A whole GIF under the limit but far below it, kept while one a little larger is tried.
    std::unique_ptr<PartialFile> farBelow;
    qint64 farBelowBytes = 0;
    FitSetting farBelowSetting;
    for (int write = 0; write < MostWrites; ++write) {
        FitPlan plan;
        if (!fitter.plan(correction, &plan)) {
            unreadableFile = fitter.unreadableFile();
            return fitter.failure();
        }
        if (plan.kind == FitPlan::Kind::Unreachable && !farBelow) {
            smallestBytes = plan.expectedBytes;
            return JobOutcome::CannotFit;
        }
        // Writing again starts where the progress stands and goes on to the end.
        progressFrom += progressShare;
        progressShare = 10000 - progressFrom;
        if (plan.kind == FitPlan::Kind::Unreachable)
            break;
        // A stream that cannot start again was stopped, or failed.
        if (write > 0 && job.stream && !job.stream->restart()) {
            if (isInterruptionRequested())
                return JobOutcome::Stopped;
            if (!farBelow)
                return JobOutcome::Unreadable;
            break;
        }
        const int kept = plan.setting.kept > 0 ? plan.setting.kept : total;
        // Below level 100 the write steers the level towards the limit, up only while all
        // frames stay; the job as it is stays as it is.
        const int quality = plan.setting.quality;
        const bool steered = plan.kind == FitPlan::Kind::Fitted && quality < 100;
        const int highest =
            steered && plan.setting.kept == 0 ? qMin(job.choices.encoding.quality, 99) : quality;
        LevelSteering steering(plan.cost, quality, kept, total, limit,
                               steered ? qMin(LowestFittingQuality, quality) : quality, highest,
                               plan.power);
        std::unique_ptr<PartialFile> written;
        const JobOutcome outcome = writer->write(
            fittedJob(job, plan.setting), &written,
            [&](int frames, qint64 bytes) { return steering.overLimit(frames, bytes); },
            [&](int given, int frames, qint64 bytes) {
                return steering.nextLevel(given, frames, bytes);
            });
        if (outcome != JobOutcome::Completed && !writer->cutAtLimit())
            return outcome;
        const qint64 bytes = written ? QFileInfo(written->path()).size() : writer->bytesAtCut();
        const double ratio = steering.ratio(written ? kept : writer->framesAtCut(), bytes);
        plan.setting.quality = steering.meanLevel();
        // Planning again moves no progress.
        progressFrom = progressNow;
        progressShare = 0;
        if (written && bytes <= limit) {
            const bool nearEnough = bytes >= NearEnoughShare * double(limit)
                                    || plan.kind == FitPlan::Kind::AsItIs;
            if (nearEnough || farBelow) {
                const bool larger = !farBelow || bytes > farBelowBytes;
                *file = larger ? std::move(written) : std::move(farBelow);
                fitSetting = larger ? plan.setting : farBelowSetting;
                return JobOutcome::Completed;
            }
            farBelow = std::move(written);
            farBelowBytes = bytes;
            farBelowSetting = plan.setting;
            correction = ratio;
            continue;
        }
        // A stream that expects no frames gives no sample a second write could follow.
        if (farBelow || total <= 0)
            break;
        correction = qMax(correction, ratio) * (1 + ExtraCaution * write);
    }
    if (!farBelow)
        return JobOutcome::CannotFit;
    *file = std::move(farBelow);
    fitSetting = farBelowSetting;
    return JobOutcome::Completed;
}
