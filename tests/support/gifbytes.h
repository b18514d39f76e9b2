#ifndef GIFBYTES_H
#define GIFBYTES_H

#include <QByteArray>
#include <QSize>

// GIF files taken apart and put together byte by byte, for damaged and hostile input.

// The offset of the given frame's LZW minimum code size byte (its data sub-blocks follow),
// or -1 when the GIF has no such frame.
int frameDataOffset(const QByteArray &gif, int frame);

// A GIF of count one-pixel frames on a canvas of the given size: 15 bytes a frame however
// large the canvas it declares.
QByteArray onePixelFramesGif(QSize canvas, int count);

#endif
