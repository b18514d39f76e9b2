#ifndef FRAMEFORMAT_H
#define FRAMEFORMAT_H

#include <QImage>
#include <QSize>

// Most pixels a picture may have to become a frame: 100 megapixels, 400 MB as RGBA. The
// encoder holds several canvas-sized buffers, so larger pictures would take gigabytes.
const qint64 MaxFramePixels = 100 * 1000 * 1000;

// True when a GIF can hold a picture of this size: each side 1 to 65535, and at most
// MaxFramePixels in all.
bool frameSizeAllowed(const QSize &size);

// The decoded picture as 4 bytes a pixel, red, green, blue, alpha (not premultiplied):
// Format_RGBX8888 when every pixel is opaque, else Format_RGBA8888, where pixels of alpha 0
// are (0, 0, 0, 0).
QImage frameFromPicture(QImage picture);

#endif
