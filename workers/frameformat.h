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

// The RGBA frame (Format_RGBA8888) the encoder takes for a decoded picture: the colours a
// screen pixmap of it holds, so that a GIF made from files matches one made from the
// pixmaps shown. Pictures with an alpha channel pass through premultiplied ARGB, which
// changes translucent pixels and turns clear ones black.
QImage frameFromPicture(QImage picture);

#endif
