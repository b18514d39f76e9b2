#ifndef FRAMEFILE_H
#define FRAMEFILE_H

#include "workers/pngframereader.h"

#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;

// Most pixels a picture may have to become a frame: 100 megapixels, 400 MB as RGBA. The
// encoder holds several canvas-sized buffers, so larger pictures would take gigabytes.
const qint64 MaxFramePixels = 100 * 1000 * 1000;

// True when a GIF can hold a picture of this size: each side 1 to 65535, and at most
// MaxFramePixels in all.
bool frameSizeAllowed(const QSize &size);

// Sets the reader to tell the format from the content, not the file name, and returns the
// picture's size from the file's header; an invalid size when the file cannot be read or
// the picture is too large for a frame. Readers that learn the size only by decoding
// report a valid empty size; the caller checks the decoded picture then.
QSize openPicture(QImageReader *reader);

// The picture's size from the file's header, or, for a format that tells it only by
// decoding, the decoded picture's; an invalid size when the file cannot become a frame.
QSize pictureFrameSize(QImageReader *reader);

// Reads the picture scaled to fit within box with its proportions kept, as cheaply as its
// format allows (JPEG decodes smaller); *size receives its full size. Null when the file
// cannot become a frame. The images page's import reads its thumbnails this way.
QImage readPictureFitting(const QString &path, const QSize &box, QSize *size);

// The decoded picture as 4 bytes a pixel, red, green, blue, alpha (not premultiplied):
// Format_RGBX8888 when every pixel is opaque, else Format_RGBA8888, where pixels of alpha 0
// are (0, 0, 0, 0).
QImage frameFromPicture(QImage picture);

// False only when the file's header tells that its picture has no alpha channel and no
// colour table that could hold a clear colour; reads no pixel.
bool pictureMayHaveAlpha(const QString &path);

// Reads the file whole as a frame (see frameFromPicture); null when it cannot be read or is too large. A
// reader of many files passes the same scratch every time.
QImage readFrameFile(const QString &path, PngScratch *scratch = nullptr);

#endif
