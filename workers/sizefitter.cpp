#include "workers/sizefitter.h"

#include "workers/framethinning.h"
#include "workers/levelcurve.h"

#include <algorithm>
#include <cmath>

namespace {

// Shares of the limit: what a plan aims at, and how far from it an estimate may lie to be
// taken as it is. The samples are estimates: the GIF comes out a few hundredths either way.
const double AimShare = 0.91;
const double LowShare = 0.87;
const double HighShare = 0.95;
// At the lowest level a write can steer only upwards (levelsteering.h): a smaller scale aims
// lower, and one far below is taken at a level guessed above the lowest.
const double ScaledAimShare = 0.85;
const double ScaledLowShare = 0.7;
const double ScaledHighShare = 0.89;
// Samples encoded in search of a scale, at most.
const int MostProbes = 5;
// What a first guess assumes: the bytes follow this power of the scale.
const double ScalePower = 1.8;
const double NearScale = 0.8;
const int MostGaps = FewestFramesShare;
// The frames of a run of a sample below level 100.
const int SettlingRun = 4;

// Where the line through two points (t, log bytes) reaches log aim.
double towards(double t1, double bytes1, double t2, double bytes2, double aim)
{
    const double rise = std::log(bytes2) - std::log(bytes1);
    if (!(std::abs(rise) > 1e-9))
        return (t1 + t2) / 2;
    return t1 + (std::log(aim) - std::log(bytes1)) * (t2 - t1) / rise;
}

} // namespace

QSize scaledCanvas(const QSize &canvas, double scale)
{
    return QSize(std::max(1, int(std::lround(canvas.width() * scale))),
                 std::max(1, int(std::lround(canvas.height() * scale))));
}

GifJob fittedJob(const GifJob &job, const FitSetting &setting)
{
    GifJob fitted = job;
    fitted.choices.encoding.quality = setting.quality;
    fitted.gifSize = scaledCanvas(job.canvas, setting.scale);
    if (setting.kept > 0 && job.stream)
        fitted.keptStreamFrames = setting.kept;
    else if (setting.kept > 0)
        fitted.frames = thinnedFrames(job.frames, setting.kept);
    return fitted;
}

SizeFitter::SizeFitter(const GifJob &job, std::function<bool()> stopped,
                       std::function<void(int)> progress)
    : job(job), stopped(std::move(stopped)), progress(std::move(progress)),
      sample(this->job, this->stopped), frameCount(sample.frameCount()),
      lowestQuality(std::min(job.choices.encoding.quality, LowestFittingQuality)),
      highestQuality(std::min(job.choices.encoding.quality - 1, 99)),
      // The canvas stays as large as the smallest GIF canvas.
      smallestScale(std::min(1.0, std::max({SmallestFittingScale,
                                            double(MinGifCanvas.width()) / job.canvas.width(),
                                            double(MinGifCanvas.height()) / job.canvas.height()})))
{
    if (!job.stream)
        this->job.choices.encoding.alpha = framesMayBeClear(job.frames, job.canvas, job.choices);
}

bool SizeFitter::estimateAsItIs(qint64 *bytes)
{
    double estimate = 0;
    if (!bytesAt(job.choices.encoding.quality, 1, &estimate))
        return false;
    *bytes = qint64(estimate);
    return true;
}

bool SizeFitter::measure(int quality, double scale, int gaps, SampleSize *cost)
{
    // A job without frames has nothing to sample: its GIF is a header and a trailer.
    if (frameCount == 0) {
        *cost = SampleSize();
        return true;
    }
    const QSize size = scaledCanvas(job.canvas, scale);
    const auto key = std::make_tuple(quality, size.width(), size.height(), gaps);
    const auto known = measured.find(key);
    if (known != measured.end()) {
        *cost = known->second;
        return true;
    }
    // Level 100 writes exactly what changed: pairs tell its frames. Below it the frames may
    // settle, which runs see.
    SampleShape shape;
    shape.gaps = gaps;
    shape.run = quality < 100 ? SettlingRun : 2;
    shape.places = samplePlaceCount(frameCount, sample.frameBytes(), gaps, shape.run);
    if (!sample.load(samplePlaces(frameCount, shape))) {
        failed = stopped() ? JobOutcome::Stopped : JobOutcome::Unreadable;
        return false;
    }
    GifOptions options = job.choices.encoding;
    options.quality = quality;
    if (!measureSample(sample, shape, size, options, job.delay, stopped, cost)) {
        failed = stopped() ? JobOutcome::Stopped : JobOutcome::WriteFailed;
        return false;
    }
    measured[key] = *cost;
    progressDone += (10000 - progressDone) / 3;
    if (progress)
        progress(progressDone);
    return true;
}

bool SizeFitter::bytesAt(int quality, double scale, double *bytes)
{
    SampleSize cost;
    if (!measure(quality, scale, 1, &cost))
        return false;
    *bytes = double(cost.bytes(frameCount, frameCount));
    return true;
}

bool SizeFitter::setPlan(FitPlan::Kind kind, const FitSetting &setting, int gaps,
                         FitPlan *plan)
{
    plan->kind = kind;
    plan->setting = setting;
    if (!measure(setting.quality, setting.scale, gaps, &plan->cost))
        return false;
    const int kept = setting.kept > 0 ? setting.kept : frameCount;
    plan->expectedBytes = plan->cost.bytes(kept, frameCount);
    plan->power = powerNear(setting);
    return true;
}

// Through the nearest other level below 100 measured at the setting's size.
double SizeFitter::powerNear(const FitSetting &setting) const
{
    const QSize size = scaledCanvas(job.canvas, setting.scale);
    const auto key = [&](int quality) {
        return std::make_tuple(quality, size.width(), size.height(), 1);
    };
    int nearest = -1;
    for (const auto &known : measured) {
        const int quality = std::get<0>(known.first);
        if (quality < 100 && quality != setting.quality && known.first == key(quality)
            && (nearest < 0
                || std::abs(quality - setting.quality) < std::abs(nearest - setting.quality)))
            nearest = quality;
    }
    if (nearest < 0 || measured.count(key(setting.quality)) == 0)
        return UsualLevelPower;
    const auto bytesOf = [&](int quality) {
        return double(measured.at(key(quality)).bytes(frameCount, frameCount));
    };
    return levelPowerThrough(setting.quality, bytesOf(setting.quality), nearest,
                             bytesOf(nearest));
}

bool SizeFitter::plan(double correction, FitPlan *plan)
{
    const double limit = double(job.choices.maxBytes) / correction;
    const double aim = AimShare * limit;
    const double low = LowShare * limit;
    const double high = HighShare * limit;
    double asItIs = 0;
    if (!bytesAt(job.choices.encoding.quality, 1, &asItIs))
        return false;
    // The job as it is is the best GIF there is: it is tried whenever it may fit, a write
    // that comes out over the limit being stopped there and planned again.
    bool done = asItIs <= limit;
    if (done && !setPlan(FitPlan::Kind::AsItIs, {job.choices.encoding.quality, 1, 0}, 1, plan))
        return false;
    if (!done && !fitQuality(aim, low, high, plan, &done))
        return false;
    if (!done) {
        if (!fitScale(lowestQuality, ScaledAimShare * limit, ScaledLowShare * limit,
                      ScaledHighShare * limit, plan, &done))
            return false;
        // Shrinking smooths the frames: a scale just below 1 may leave the GIF far below
        // the limit at the lowest level, room for a higher level at that scale.
        if (done && plan->expectedBytes < ScaledAimShare * limit)
            raiseQuality(ScaledAimShare * limit, plan);
    }
    if (!done && !fitFrames(aim, high, limit, plan))
        return false;
    plan->expectedBytes = qint64(double(plan->expectedBytes) * correction);
    return true;
}

// The levels form a smooth curve below 100 (levelcurve.h), where the exact mode stands
// apart. The lowest level tells whether any fits; a second sample, at the level the usual
// power puts at the aim, tells the curve's own power, which then chooses the level. The
// write steers from there (levelsteering.h), so no more samples are spent on it.
bool SizeFitter::fitQuality(double aim, double low, double high, FitPlan *plan, bool *done)
{
    if (lowestQuality > highestQuality)
        return true; // no level below the job's own: smaller frames next
    double lowestBytes = 0;
    if (!bytesAt(lowestQuality, 1, &lowestBytes))
        return false;
    if (lowestBytes > high)
        return true;
    *done = true;
    if (lowestBytes >= low || lowestQuality == highestQuality)
        return setPlan(FitPlan::Kind::Fitted, {lowestQuality, 1, 0}, 1, plan);
    const double guess = levelForFactor(lowestQuality, aim / lowestBytes, UsualLevelPower);
    const int second = std::clamp(int(std::lround(guess)), lowestQuality + 1, highestQuality);
    double secondBytes = 0;
    if (!bytesAt(second, 1, &secondBytes)
        || !setPlan(FitPlan::Kind::Fitted, {second, 1, 0}, 1, plan))
        return false;
    if (secondBytes >= low && secondBytes <= high)
        return true;
    const double power = levelPowerThrough(lowestQuality, lowestBytes, second, secondBytes);
    const int chosen = int(std::floor(levelForFactor(second, aim / secondBytes, power)));
    moveLevel(secondBytes > high ? std::clamp(chosen, lowestQuality, second - 1)
                                 : std::clamp(chosen, second, highestQuality),
              power, plan);
    // Far below the limit at the top of the levels, the job's own level is taken slightly
    // smaller instead: the exact mode stands far above the levels below it.
    if (plan->setting.quality < highestQuality - 1 || plan->expectedBytes >= low)
        return true;
    FitPlan smaller;
    bool fits = false;
    if (!fitScale(job.choices.encoding.quality, aim, low, high, &smaller, &fits))
        return false;
    if (fits)
        *plan = smaller;
    return true;
}

// A smaller scale far below the limit at the lowest level takes the level the usual power
// puts at the aim.
void SizeFitter::raiseQuality(double aim, FitPlan *plan)
{
    const int from = plan->setting.quality;
    const int highest = std::max(from, highestQuality);
    const double guess =
        levelForFactor(from, aim / double(plan->expectedBytes), UsualLevelPower);
    moveLevel(std::clamp(int(guess), from, highest), UsualLevelPower, plan);
}

// The plan at another level, its cost following the curve of this power from the level
// measured.
void SizeFitter::moveLevel(int level, double power, FitPlan *plan)
{
    const double factor = levelBytesFactor(level, plan->setting.quality, power);
    plan->setting.quality = level;
    plan->cost = plan->cost.times(factor);
    plan->expectedBytes = qint64(double(plan->expectedBytes) * factor);
    plan->power = power;
}

// The bytes follow a power of the scale below 1, where shrinking smooths the frames and
// the GIF falls at once: a guess from the usual power, then along the line through the
// scales measured below 1.
bool SizeFitter::fitScale(int quality, double aim, double low, double high, FitPlan *plan,
                          bool *done)
{
    *done = false;
    // The largest scale that shrinks the canvas' longer side.
    const int side = std::max(job.canvas.width(), job.canvas.height());
    const double largest = double(side - 1) / side;
    if (largest < smallestScale)
        return true;
    double bytes = 0;
    if (!bytesAt(quality, 1, &bytes))
        return false;
    double scale = std::exp(std::log(aim / bytes) / ScalePower);
    // Any shrinking smooths the frames and the GIF falls at once: near 1 the guess starts from
    // the largest scale, below which the power holds.
    if (scale >= NearScale)
        scale = largest;
    double overScale = 2; // the smallest scale measured over the limit
    double overBytes = 0;
    double underScale = -1; // the largest measured under it
    double underBytes = 0;
    double lastScale = -1;
    double lastBytes = 0;
    for (int probe = 0; probe < MostProbes; ++probe) {
        scale = std::clamp(scale, smallestScale, largest);
        if (!bytesAt(quality, scale, &bytes))
            return false;
        if (bytes <= high && bytes >= low) {
            *done = true;
            return setPlan(FitPlan::Kind::Fitted, {quality, scale, 0}, 1, plan);
        }
        if (bytes > high && scale < overScale) {
            overScale = scale;
            overBytes = bytes;
        } else if (bytes < low && scale > underScale) {
            underScale = scale;
            underBytes = bytes;
        }
        if (underScale < 0 && scale <= smallestScale)
            return true; // too large even at the smallest scale: fewer frames next
        if (overScale > 1 && scale >= largest)
            break; // far below even at the largest scale
        double next = scale * std::exp(std::log(aim / bytes) / ScalePower);
        if (underScale > 0 && overScale < 1)
            next = std::exp(towards(std::log(underScale), underBytes, std::log(overScale),
                                    overBytes, aim));
        else if (lastScale > 0) {
            // Sharp edges shrunk grow colours: a line that does not lead the right way
            // leaves the usual power.
            const double along =
                std::exp(towards(std::log(lastScale), lastBytes, std::log(scale), bytes, aim));
            if ((bytes > high) == (along < scale))
                next = along;
        }
        if (underScale > 0 && overScale < 1)
            next = std::clamp(next, underScale, overScale);
        if (std::abs(next - scale) < 0.002)
            break;
        lastScale = scale;
        lastBytes = bytes;
        scale = next;
    }
    if (underScale < 0)
        return true;
    *done = true;
    return setPlan(FitPlan::Kind::Fitted, {quality, underScale, 0}, 1, plan);
}

// Dropping frames leaves larger changes between those that stay: the sample measures the
// frames after gaps of up to MostGaps places, and the number of frames follows from them.
bool SizeFitter::fitFrames(double aim, double high, double limit, FitPlan *plan)
{
    SampleSize cost;
    if (!measure(lowestQuality, smallestScale, MostGaps, &cost))
        return false;
    const int fewest = std::min(frameCount, std::max(2, (frameCount + MostGaps - 1) / MostGaps));
    int kept = frameCount;
    while (kept > fewest && cost.bytes(kept, frameCount) > aim)
        kept--;
    const double bytes = double(cost.bytes(kept, frameCount));
    const FitSetting setting{lowestQuality, smallestScale, kept};
    // Near the limit the write itself tells.
    const FitPlan::Kind kind = bytes <= std::max(high, limit) ? FitPlan::Kind::Fitted
                                                              : FitPlan::Kind::Unreachable;
    return setPlan(kind, setting, MostGaps, plan);
}
