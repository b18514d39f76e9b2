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

// The GIF with the given frame's image data (LZW code size, sub-blocks, terminator)
// replaced by data.
QByteArray withFrameData(const QByteArray &gif, int frame, const QByteArray &data);

// A GIF of count frames of the given size at (0, 0), each with its own colour table
// (none when localTable is empty) and the given image data.
QByteArray repeatedFrameGif(QSize canvas, QSize frame, int count, const QByteArray &localTable,
                            const QByteArray &data);

#endif
