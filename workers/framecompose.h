#ifndef FRAMECOMPOSE_H
#define FRAMECOMPOSE_H

#include "workers/gifjobchoices.h"

#include <QImage>
#include <QRect>
#include <QSize>

// How a picture becomes a frame as the viewer sees it: drawn at the size the job's resize
// choice gives it, placed on the canvas by the job's placement, and every pixel either
// clear or opaque at its colour (isClearAlpha). The creation job makes its frames here and
// the images page's preview shows the same frames, so the preview shows what the GIF will.

// The size a picture of this size is drawn at before it is placed: its own when resize is
// 0 x 0; with only a width (height 0) or only a height (width 0), that side, the other
// keeping the proportions; with both, as large as fits within resize, proportions kept.
// Never less than 1 x 1.
QSize resizedPicture(const QSize &picture, const QSize &resize);

// Where a picture of this size is drawn on the canvas, at what size. TopLeft: resized, at
// (0, 0). Centred: resized, in the middle (halves rounded down). ScaledToFit: as large as
// fits the canvas with its proportions kept, in the middle. A picture larger than the
// canvas (a file that grew since the canvas was chosen) is cut by the canvas' edges.
QRect placedRect(const QSize &picture, const QSize &canvas, const GifJobChoices &choices);

// The frame the picture becomes: canvas-sized, the picture drawn in its placedRect (scaled
// smoothly when its size changes: area averaging when it shrinks), the rest clear. Pixels
// whose alpha is below half become (0, 0, 0, 0), the others keep their colour with alpha
// 255. Format_RGBX8888 when no pixel is clear, else Format_RGBA8888. A picture that needs
// none of this (canvas-sized, in place, opaque, RGBX8888) comes back as it is, without a
// copy. A null picture gives a null frame.
QImage composeOnCanvas(QImage picture, const QSize &canvas, const GifJobChoices &choices);

// A frame made by composeOnCanvas scaled as a whole to size (smaller, for a size limit), as
// smoothly and with the same clear or opaque pixels. The same frame when it has that size.
QImage shrinkFrame(QImage frame, const QSize &size);

#endif
