#ifndef SIZEFITTER_H
#define SIZEFITTER_H

#include "workers/framesample.h"
#include "workers/gifjob.h"
#include "workers/joboutcome.h"
#include "workers/samplesize.h"

#include <QSize>

#include <functional>
#include <map>
#include <tuple>

// How far a job goes to fit its size limit (GifJobChoices::maxBytes): the quality level,
// then the size, then the number of frames, each no lower than these.
const int LowestFittingQuality = 40;
const double SmallestFittingScale = 0.25; // of the canvas' sides
const int FewestFramesShare = 4;          // a quarter of the frames stay at least

// The quality level, the scale of the canvas and the frames that stay, of a job under a
// size limit.
struct FitSetting
{
    int quality = 100;
    double scale = 1;
    int kept = 0; // of the job's frames; 0 keeps them all
};

// What a job's size limit asks of it.
struct FitPlan
{
    enum class Kind {
        AsItIs,      // the job fits as it is, as far as the sample tells
        Fitted,      // the job fits at the setting
        Unreachable, // the job does not fit even at the smallest setting
    };
    Kind kind = Kind::AsItIs;
    FitSetting setting;
    // The GIF's size at the setting as the sample tells (Unreachable: the smallest reachable).
    qint64 expectedBytes = 0;
    // What the setting's frames cost, to follow the write with, and the power of the level
    // curve near it (levelcurve.h).
    SampleSize cost;
    double power = 0;
};

// The GIF's canvas at a scale of the pictures' canvas: each side at least 1.
QSize scaledCanvas(const QSize &canvas, double scale);

// The job at the setting: its quality level, its frames shrunk (gifSize) and thinned (a list
// itself, a stream through keptStreamFrames).
GifJob fittedJob(const GifJob &job, const FitSetting &setting);

// Chooses how a job fits its size limit from samples of its frames (samplesize.h): as it is
// when it fits; else the highest quality level from the job's own down to
// LowestFittingQuality that fits; else that level at the largest scale down to
// SmallestFittingScale; else at that scale the most frames down to a share of
// FewestFramesShare. A smaller scale far below the limit at the lowest level is taken at a
// level guessed above it. The plan aims a little below the limit, the samples being
// estimates the write corrects (levelsteering.h); each estimate is kept, so that planning
// again after a write costs little.
class SizeFitter
{
public:
    // The job must have a limit. stopped is asked between frames; progress receives
    // ten-thousandths of the planning, which grow with every sample encoded.
    SizeFitter(const GifJob &job, std::function<bool()> stopped,
               std::function<void(int)> progress);

    // Plans for the limit when the GIF comes out correction times the size its sample tells
    // (1 before any write). False when stopped or a sample could not be made: failure()
    // tells why.
    bool plan(double correction, FitPlan *plan);
    // The size of the job as it is, as its sample tells; false likewise.
    bool estimateAsItIs(qint64 *bytes);

    JobOutcome failure() const { return failed; }
    // The picture that could not be read, when failure() is Unreadable.
    QString unreadableFile() const { return sample.unreadableFile; }

private:
    bool measure(int quality, double scale, int gaps, SampleSize *cost);
    bool bytesAt(int quality, double scale, double *bytes);
    bool fitQuality(double aim, double low, double high, FitPlan *plan, bool *done);
    void raiseQuality(double aim, FitPlan *plan);
    void moveLevel(int level, double power, FitPlan *plan);
    bool fitScale(int quality, double aim, double low, double high, FitPlan *plan, bool *done);
    bool fitFrames(double aim, double high, double limit, FitPlan *plan);
    bool setPlan(FitPlan::Kind kind, const FitSetting &setting, int gaps, FitPlan *plan);
    double powerNear(const FitSetting &setting) const;

    GifJob job;
    std::function<bool()> stopped;
    std::function<void(int)> progress;
    FrameSample sample;
    const int frameCount;
    const int lowestQuality;
    const int highestQuality; // below the job's own, which does not fit when a level is fitted
    const double smallestScale;
    // Measured samples: by quality level, GIF width and height, and gaps.
    std::map<std::tuple<int, int, int, int>, SampleSize> measured;
    int progressDone = 0;
    JobOutcome failed = JobOutcome::Completed;
};

#endif
