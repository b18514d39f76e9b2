#ifndef REFERENCEENCODER_H
#define REFERENCEENCODER_H

// The straightforward GIF encoder, one step after the other on one thread, kept as the
// reference that the fast one must match byte for byte. It lives in its own namespace so
// that it links beside the real one.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QVector>
#include <cstddef>

namespace reference {

// The animated GIF89a file of the frames, each placed at (0, 0) of the canvas (no frame
// larger than it): a palette of 2^depth entries per frame, transparency for the pixels that
// already show the right colour, LZW coding. Delay 0 leaves out the looping extension.
QByteArray encodeGif(const QVector<QImage> &frames, QSize canvas, int delay, int depth = 8);

// Partitions the 4-byte pixels left to right - 1 around the value on the axis of the pixel
// at pivot and returns the pivot's final position. Values equal to it go alternately to
// either side.
size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot);

} // namespace reference

#endif
