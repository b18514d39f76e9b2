#ifndef SAMPLESIZE_H
#define SAMPLESIZE_H

#include "encoder/gifoptions.h"

#include <QSize>
#include <QVector>

#include <functional>

class FrameSample;

// The size of a GIF told from a few of its frames, through our encoder: the first frame,
// and pairs of frames spread evenly over the others, each pair encoded in turn, so that the
// second frame of a pair costs what a frame costs after the one before it (a frame stores
// what changed). Each pair follows the frame before it: after the jump to a pair, what is
// shown still differs from the picture where the palette missed, which the next frame
// writes again, so the pair's second frame would cost more than in the GIF. Frames
// dropped evenly for a smaller GIF leave gaps between those that stay: a pair, and the
// frame before it, may be that many places apart.

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
};

// How many pairs a sample of a job takes: more for a longer one, fewer when the frames are
// large or the gaps many, so that the frames a sample holds stay within a bound.
int samplePairs(int frameCount, qint64 frameBytes, int gaps);

// The places of the frames a sample of pairs and of gaps up to gaps takes, increasing.
QVector<int> samplePlaces(int frameCount, int pairs, int gaps);

// Encodes the sample (its frames at samplePlaces, shrunk to size) as the job would with
// options and delay, into a temporary file, and measures it into *size. False when stopped,
// or the temporary file cannot be written.
bool measureSample(const FrameSample &sample, int pairs, int gaps, const QSize &size,
                   const GifOptions &options, int delay, const std::function<bool()> &stopped,
                   SampleSize *measured);

#endif
