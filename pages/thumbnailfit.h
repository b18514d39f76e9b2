#ifndef THUMBNAILFIT_H
#define THUMBNAILFIT_H

#include <QRect>
#include <QSize>

// Where a video still of the given size is shown inside a frame of the given size:
// scaled down with its aspect kept until it fits a pixel inside the frame, never enlarged,
// centred. Coordinates are relative to the frame.
QRect thumbnailPlacement(const QSize &image, const QSize &frame);

#endif
