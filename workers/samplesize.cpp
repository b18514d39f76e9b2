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

// The frames a sample holds, at most; and how many pairs it takes from a job.
const qint64 MaxSampleBytes = qint64(256) << 20;
const int FewestPairs = 3;
const int MostPairs = 8;
const int FramesPerPair = 12;

// The frame of a pair that is measured: spread evenly over the frames after the first.
QVector<int> measuredPlaces(int frameCount, int pairs)
{
    const int count = std::min(pairs, frameCount - 1);
    QVector<int> places;
    for (int j = 0; j < count; ++j)
        places << 1 + int((2 * qint64(j) + 1) * (frameCount - 1) / (2 * count));
    return places;
}

// One frame to encode; measuredGap is the gap of the pair whose second frame it is, else 0.
struct SampleStep
{
    int place;
    int measuredGap;
};

// The first frame, then for every gap the pairs that gap apart, each after the frame that
// gap before it; a frame is left out when it is the frame just encoded.
QVector<SampleStep> sampleSteps(int frameCount, int pairs, int gaps)
{
    QVector<SampleStep> steps{{0, 0}};
    const QVector<int> measured = measuredPlaces(frameCount, pairs);
    for (int gap = 1; gap <= gaps; ++gap) {
        for (int place : measured) {
            if (place < gap)
                continue;
            for (int before : {place - 2 * gap, place - gap}) {
                if (before >= 0 && steps.last().place != before)
                    steps << SampleStep{before, 0};
            }
            steps << SampleStep{place, gap};
        }
    }
    return steps;
}

// The frames a pair and the frames before it hold for gaps up to gaps, at most: places
// 0 to gaps, and the even places up to 2 * gaps, before the pair's second frame.
int framesPerPair(int gaps)
{
    return 2 * gaps + 1 - gaps / 2;
}

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

int samplePairs(int frameCount, qint64 frameBytes, int gaps)
{
    const int wanted = std::clamp(frameCount / FramesPerPair, FewestPairs, MostPairs);
    const int fitting =
        int((MaxSampleBytes / std::max<qint64>(1, frameBytes) - 1) / framesPerPair(gaps));
    return std::max(1, std::min(wanted, fitting));
}

QVector<int> samplePlaces(int frameCount, int pairs, int gaps)
{
    QVector<int> places;
    for (const SampleStep &step : sampleSteps(frameCount, pairs, gaps))
        places << step.place;
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}

bool measureSample(const FrameSample &sample, int pairs, int gaps, const QSize &size,
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
    // Which frame of the file each measured step became, by gap; -1 for none.
    QVector<QVector<int>> written(gaps);
    int frames = 0;
    {
        const GifEncoder encoder;
        for (const SampleStep &step : sampleSteps(sample.frameCount(), pairs, gaps)) {
            if (stopped())
                break;
            if (!sample.has(step.place))
                continue;
            const QImage frame = shrinkFrame(sample.frame(step.place), size);
            const bool stored = encoder.encodeFrame(&state, frame.constBits(), frame.width(),
                                                    frame.height(), delay, 8);
            if (step.measuredGap > 0)
                written[step.measuredGap - 1] << (stored ? frames : -1);
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
    for (const QVector<int> &gap : qAsConst(written)) {
        double sum = 0;
        for (int frame : gap)
            sum += frame > 0 ? double(ends.at(frame) - ends.at(frame - 1)) : 0.0;
        // A gap no pair is long enough for costs what the one before it does.
        if (!gap.isEmpty())
            measured->laterBytes << sum / gap.size();
        else if (!measured->laterBytes.isEmpty())
            measured->laterBytes << measured->laterBytes.last();
    }
    return true;
}
