#include "workers/samplesize.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "workers/encoderpath.h"
#include "workers/framecompose.h"
#include "workers/framesample.h"
#include "workers/giflayout.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace {

// The frames a sample holds, at most; and how many places it takes from a job.
const qint64 MaxSampleBytes = qint64(256) << 20;
const int FewestPlaces = 3;
const int MostPlaces = 8;
const int FramesPerPlace = 12;
// The runs' frames settle when their last frames cost less than this share of their second
// ones: a later frame then costs what the last ones do, else what all but the first do.
const double SettledShare = 0.9;

// The last frame of each run: spread evenly over the frames after the first.
QVector<int> runEnds(int frameCount, int places)
{
    const int count = std::min(places, frameCount - 1);
    QVector<int> ends;
    for (int j = 0; j < count; ++j)
        ends << 1 + int((2 * qint64(j) + 1) * (frameCount - 1) / (2 * count));
    return ends;
}

// One frame to encode: its place in the job, and for a frame of a run but the first, the
// run's gap (else 0) and whether it is the run's second or last frame.
struct SampleStep
{
    int place;
    int measuredGap;
    bool secondOfRun;
    bool lastOfRun;
};

// The first frame, then for every gap the runs of frames that gap apart, each as long as
// the job's start allows, a pair after the frame that gap before it; a frame is left out
// when it is the frame just encoded.
QVector<SampleStep> sampleSteps(int frameCount, const SampleShape &shape)
{
    QVector<SampleStep> steps{{0, 0, 0, false}};
    const QVector<int> ends = runEnds(frameCount, shape.places);
    for (int gap = 1; gap <= shape.gaps; ++gap) {
        for (int end : ends) {
            const int length = std::min(shape.run - 1, end / gap);
            if (length < 1)
                continue;
            const int start = end - length * gap;
            // Longer runs settle by themselves; a pair needs the frame before it.
            const int first = shape.run == 2 && start >= gap ? start - gap : start;
            for (int before = first; before <= start; before += gap) {
                if (steps.last().place != before)
                    steps << SampleStep{before, 0, false, false};
            }
            for (int k = 1; k <= length; ++k)
                steps << SampleStep{start + k * gap, gap, k == 1, k == length};
        }
    }
    return steps;
}

// The bytes of the frames a run measured, at one gap: the second frames of the runs, their
// last frames, and all of them.
struct GapBytes
{
    double second = 0;
    int seconds = 0;
    double last = 0;
    int lasts = 0;
    double all = 0;
    int count = 0;
};

} // namespace

qint64 SampleSize::bytes(int kept, int total) const
{
    return bytesOfFirst(kept, kept, total) + 1; // the trailer
}

qint64 SampleSize::bytesOfFirst(int frames, int kept, int total) const
{
    if (frames < 2 || laterBytes.isEmpty())
        return firstBytes;
    // Between the gaps measured, the cost of a frame goes from one to the next.
    const double gap = std::min<double>(double(total) / kept, laterBytes.size());
    const int below = int(gap);
    const double above = gap - below;
    const double later = laterBytes.at(below - 1) * (1 - above)
                         + (above > 0 ? laterBytes.at(below) * above : 0);
    return firstBytes + qint64(std::llround(later * (frames - 1)));
}

SampleSize SampleSize::times(double factor) const
{
    SampleSize scaled = *this;
    scaled.firstBytes = qint64(double(firstBytes) * factor);
    for (double &later : scaled.laterBytes)
        later *= factor;
    return scaled;
}

int samplePlaceCount(int frameCount, qint64 frameBytes, int gaps, int run)
{
    // Longer runs take fewer places, for about the frames of pairs.
    const int places = std::clamp(frameCount / FramesPerPlace, FewestPlaces, MostPlaces);
    const int wanted = (places * 2 + run - 1) / run;
    // The runs ending at one place hold at most this many frames over all gaps.
    const int framesPerPlace = gaps * std::max(run, 3) + 1;
    const int fitting =
        int((MaxSampleBytes / std::max<qint64>(1, frameBytes) - 1) / framesPerPlace);
    return std::max(1, std::min(wanted, fitting));
}

QVector<int> samplePlaces(int frameCount, const SampleShape &shape)
{
    QVector<int> places;
    for (const SampleStep &step : sampleSteps(frameCount, shape))
        places << step.place;
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}

bool measureSample(const FrameSample &sample, const SampleShape &shape, const QSize &size,
                   const GifOptions &options, int delay, const std::function<bool()> &stopped,
                   SampleSize *measured)
{
    const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/lumorra-sample-XXXXXX"));
    if (!folder.isValid())
        return false;
    const QString path = folder.filePath(QStringLiteral("sample.gif"));
    GifFileState state = openGifStream(encoderPath(path).constData(), size.width(),
                                       size.height(), delay, options);
    if (!state.outputFile)
        return false;
    // The measured steps and which frame of the file each became; -1 for none.
    QVector<QPair<SampleStep, int>> written;
    int frames = 0;
    {
        const GifEncoder encoder;
        for (const SampleStep &step : sampleSteps(sample.frameCount(), shape)) {
            if (stopped())
                break;
            if (!sample.has(step.place))
                continue;
            const QImage frame = shrinkFrame(sample.frame(step.place), size);
            const bool stored = encoder.encodeFrame(&state, frame.constBits(), frame.width(),
                                                    frame.height(), delay, 8);
            if (step.measuredGap > 0)
                written << qMakePair(step, stored ? frames : -1);
            frames += stored ? 1 : 0;
        }
        if (!closeGifStream(&state) || stopped())
            return false;
    }
    const QList<qint64> ends = readGifLayout(path).frameEnds;
    if (ends.size() != frames)
        return false;
    *measured = SampleSize();
    measured->firstBytes = ends.value(0);
    QVector<GapBytes> gaps(shape.gaps);
    for (const auto &step : qAsConst(written)) {
        const int frame = step.second;
        const double bytes = frame > 0 ? double(ends.at(frame) - ends.at(frame - 1)) : 0.0;
        GapBytes &gap = gaps[step.first.measuredGap - 1];
        gap.all += bytes;
        gap.count++;
        if (step.first.secondOfRun) {
            gap.second += bytes;
            gap.seconds++;
        }
        if (step.first.lastOfRun) {
            gap.last += bytes;
            gap.lasts++;
        }
    }
    // The gap of the job's own frames tells whether they settle.
    const GapBytes &nearest = gaps.first();
    const bool settles = shape.run > 2 && nearest.lasts > 0 && nearest.seconds > 0
                        && nearest.last / nearest.lasts
                               < SettledShare * nearest.second / nearest.seconds;
    for (const GapBytes &gap : qAsConst(gaps)) {
        // A gap no run is long enough for costs what the one before it does.
        if (gap.count == 0) {
            if (!measured->laterBytes.isEmpty())
                measured->laterBytes << measured->laterBytes.last();
            continue;
        }
        measured->laterBytes << (settles ? gap.last / gap.lasts : gap.all / gap.count);
    }
    return true;
}
