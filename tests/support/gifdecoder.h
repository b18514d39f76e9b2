#ifndef GIFDECODER_H
#define GIFDECODER_H

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVector>
#include <QtGui/qrgb.h>

// One frame of a decoded GIF, as a viewer shows it.
struct DecodedFrame
{
    QImage canvas;             // the whole canvas after this frame, Format_RGBA8888
    QRect rect;                // the frame's own rectangle on the canvas
    int delay = 0;             // hundredths of a second; -1 without a graphic control block
    int disposal = 0;          // disposal method of the frame
    int transparentIndex = -1; // -1 when the frame has none
    QVector<QRgb> localColours; // empty when the frame has no local colour table
    QByteArray indices;        // the frame's raster, rect.width() x rect.height() palette indices
};

struct DecodedGif
{
    QSize canvasSize;
    bool hasLoopExtension = false;
    int loopCount = -1;        // from the looping extension, -1 without one
    QVector<QRgb> globalColours;
    QVector<DecodedFrame> frames;
};

// Decodes a GIF file with giflib, an implementation independent of ours. Pixels of the
// canvas that no frame has drawn stay transparent black (0, 0, 0, 0).
bool decodeGif(const QString &path, DecodedGif *out);

#endif
