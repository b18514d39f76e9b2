#include "workers/levelsteering.h"
#include "workers/levelcurve.h"

#include <algorithm>
#include <cmath>

namespace {

// Where the steering aims, as a share of the limit: the last frames still vary.
const double AimShare = 0.93;
// Levels a frame may differ from the one before it: a jump would show.
const int MostStep = 3;
// A projection this share past the limit stops the write, once it rests on this many frames.
const double ClearlyOver = 1.03;
const int FewestFramesToProject = 4;
// The last frames whose cost the frames to come may follow: at least a few, or this share.
const int FewestRecent = 4;
const int RecentShare = 6;

} // namespace

LevelSteering::LevelSteering(const SampleSize &cost, int level, int kept, int total,
                             qint64 limit, int lowest, int highest, double power)
    : firstBytes(double(cost.firstBytes)),
      laterBytes(kept > 1 ? double(cost.bytesOfFirst(kept, kept, total) - cost.firstBytes)
                                / (kept - 1)
                          : 0),
      level(level), kept(kept), limit(limit), lowest(std::min(lowest, level)),
      highest(std::max(highest, level)), power(power), levels{level}, weights{0, 0}
{
}

double LevelSteering::weight(int frameLevel) const
{
    return levelBytesFactor(frameLevel, level, power);
}

double LevelSteering::expectedOfFirst(int frames) const
{
    if (frames <= 0)
        return 0;
    const int known = std::min<int>(frames, int(weights.size()) - 1);
    // Frames not given yet would have the last level.
    const double beyond = (frames - known) * weight(levels.back());
    return firstBytes + laterBytes * (weights[size_t(known)] + beyond);
}

double LevelSteering::ratio(int frames, qint64 bytes) const
{
    const double expected = expectedOfFirst(frames);
    return frames > 0 && expected > 0 ? double(bytes) / expected : 1;
}

double LevelSteering::recentRatio(int frames, qint64 bytes) const
{
    const int since = frames - std::max(FewestRecent, kept / RecentShare);
    if (since < 2 || since >= int(settledBytes.size()) || settledBytes[size_t(since)] < 0)
        return 0;
    const double expected = expectedOfFirst(frames) - expectedOfFirst(since);
    return expected > 0 ? double(bytes - settledBytes[size_t(since)]) / expected : 0;
}

int LevelSteering::nextLevel(int given, int frames, qint64 bytes)
{
    if (frames >= int(settledBytes.size()))
        settledBytes.resize(size_t(frames) + 1, -1);
    settledBytes[size_t(frames)] = bytes;
    // The frames given get the levels asked so far; the next one gets the one chosen here.
    while (int(levels.size()) < given)
        levels.push_back(levels.back());
    while (int(weights.size()) <= given)
        weights.push_back(weights.back() + weight(levels[weights.size() - 1]));
    const int last = levels[size_t(given - 1)];
    if (lowest == highest || given >= kept)
        return last;
    const double r = std::max(ratio(frames, bytes), recentRatio(frames, bytes));
    // The frames given whose bytes are not known yet come as those known did.
    const double committed =
        double(bytes) + r * (expectedOfFirst(given) - expectedOfFirst(frames));
    const double room = AimShare * double(limit) - committed;
    const double atLevel = r * laterBytes * (kept - given);
    // Within a step of the last level before it becomes a whole number: little room on a flat
    // curve asks for levels far below any there is.
    double wanted = lowest;
    if (room > 0 && atLevel > 0)
        wanted = levelForFactor(level, room / atLevel, power);
    wanted = std::clamp(wanted, double(last - MostStep), double(last + MostStep));
    int next = int(std::floor(wanted));
    // Early frames tell little of the later ones' cost: the level rises above the planned
    // one only in the second half.
    next = std::clamp(next, lowest, 2 * given < kept ? level : highest);
    levels.push_back(next);
    return next;
}

bool LevelSteering::overLimit(int frames, qint64 bytes) const
{
    if (bytes > limit)
        return true;
    if (frames < std::max(FewestFramesToProject, kept / 3) || frames >= kept)
        return false;
    // The last frames' pace tells best what the rest will cost, settling or growing.
    const double recent = recentRatio(frames, bytes);
    const double pace = recent > 0 ? recent : ratio(frames, bytes);
    const double rest = pace * laterBytes * (kept - frames) * weight(lowest);
    return double(bytes) + rest > ClearlyOver * double(limit);
}

int LevelSteering::meanLevel() const
{
    double sum = 0;
    for (int l : levels)
        sum += l;
    return int(std::lround(sum / double(levels.size())));
}
