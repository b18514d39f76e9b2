#ifndef LEVELSTEERING_H
#define LEVELSTEERING_H

#include "workers/samplesize.h"

#include <vector>

// Follows a write under a size limit frame by frame. A sample tells what the frames cost
// only roughly (a zoom's later frames cost more than its sample's, a screen recording's
// frames settle): the write measures the bytes known to be in the file against what the
// sample said, and sets the level of each frame to come so that the whole GIF ends a little
// below the limit, a frame's bytes following the level along the curve of levelcurve.h.
// The frames to come cost what those known did, or what the last few did when that is more
// (the costs grow). The level moves a few steps per frame at most, between lowest and
// highest; with the two equal, the steering only watches the limit.
class LevelSteering
{
public:
    // cost: the frames' cost at level, kept of total frames staying (see SampleSize).
    LevelSteering(const SampleSize &cost, int level, int kept, int total, qint64 limit,
                  int lowest, int highest, double power);

    // The level of the frame after the first `given`, when `frames` of them are known to be
    // in the file with the header, taking `bytes`.
    int nextLevel(int given, int frames, qint64 bytes);
    // Whether the write must stop: past the limit, or once a third of its frames are in,
    // clearly on its way past it at the last frames' pace even at the lowest level.
    bool overLimit(int frames, qint64 bytes) const;
    // The bytes of the first frames against the sample's for them at the levels they had.
    double ratio(int frames, qint64 bytes) const;
    // The level the frames given had on average.
    int meanLevel() const;

private:
    double weight(int level) const;
    double expectedOfFirst(int frames) const;
    double recentRatio(int frames, qint64 bytes) const;

    double firstBytes;
    double laterBytes; // a later frame at the planned level
    int level;
    int kept;
    qint64 limit;
    int lowest;
    int highest;
    double power;

    std::vector<int> levels; // of the frames given
    std::vector<qint64> settledBytes; // [frames]: the bytes when that many were known in the file
    // weights[f]: what frames 1 to f - 1 cost together, in later frames at the planned level
    std::vector<double> weights;
};

#endif
