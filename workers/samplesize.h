#ifndef SAMPLESIZE_H
#define SAMPLESIZE_H

#include "encoder/gifoptions.h"

#include <QSize>
#include <QVector>

#include <functional>

class FrameSample;

// The size of a GIF told from a few of its frames, through our encoder: the first frame,
// and runs of frames spread evenly over the others, each run encoded in turn, so that a
// frame of a run but the first costs what a frame costs after the one before it (a frame
// stores what changed). Runs of two, pairs, tell that cost when a frame costs the same
// whatever came before. Below level 100 the encoder keeps what is shown where it changed
// too little to see, and after a large change it settles over several frames: longer runs
// see later frames cost less. A pair follows the frame before it: after the jump to a pair,
// what is shown still differs from the picture where the palette missed, which the next
// frame writes again, so the pair's second frame would cost more than in the GIF. Frames
// dropped evenly for a smaller GIF leave gaps between those that stay: the frames of a run,
// and the frame before a pair, may be that many places apart.

// What the frames of a GIF cost, as a sample measured them.
struct SampleSize
{
    qint64 firstBytes = 0;        // the header and the first frame
    // The mean bytes of a later frame after the frame gap places before it (index gap - 1).
    QVector<double> laterBytes;

    // The whole GIF when kept of its total frames stay, spread evenly.
    qint64 bytes(int kept, int total) const;
    // The bytes of its first frames.
    qint64 bytesOfFirst(int frames, int kept, int total) const;
    // The same frames costing factor times as much.
    SampleSize times(double factor) const;
};

// The places and length of a sample's runs: runs of `run` frames (at least 2) ending at
// `places` places spread evenly, for every gap up to `gaps`.
struct SampleShape
{
    int places = 1;
    int gaps = 1;
    int run = 2;
};

// How many places a sample of a job takes: more for a longer one, fewer when the frames are
// large, the gaps many or the runs long, so that the frames a sample holds stay within a
// bound.
int samplePlaceCount(int frameCount, qint64 frameBytes, int gaps, int run);

// The places of the frames a sample of this shape takes, increasing.
QVector<int> samplePlaces(int frameCount, const SampleShape &shape);

// Encodes the sample (its frames at samplePlaces, shrunk to size) as the job would with
// options and delay, into a temporary file, and measures it into *size. False when stopped,
// or the temporary file cannot be written.
bool measureSample(const FrameSample &sample, const SampleShape &shape, const QSize &size,
                   const GifOptions &options, int delay, const std::function<bool()> &stopped,
                   SampleSize *measured);

#endif
