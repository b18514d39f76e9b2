#ifndef FRAMEFILE_H
#define FRAMEFILE_H

#include "workers/frameformat.h"
#include "workers/pngframereader.h"

#include <QImage>
#include <QSize>
#include <QString>

class MemoryBudget;
class QImageReader;

// Every read of a picture file goes through here. A file is read whole and checked first
// (pictureBytesIntact): one that is cut short or damaged cannot become a frame, whatever
// the image reader would make of it. Pictures are decoded into memory cleared first, so
// that pixels a reader leaves unwritten are zero, never bytes of earlier use.

// Whether the file can be read whole and passes pictureBytesIntact.
bool pictureFileIntact(const QString &path);

// The picture's size from the file's header, or, for a format that tells it only by
// decoding, the decoded picture's; an invalid size when the file cannot become a frame.
// The reader is one made on the file's path.
QSize pictureFrameSize(QImageReader *reader);

// Reads the picture scaled to fit within box with its proportions kept, as cheaply as its
// format allows (JPEG decodes smaller); *size receives its full size. Null when the file
// cannot become a frame. The images page's import reads its thumbnails this way; budget,
// when given, bounds the memory of the reads running side by side.
QImage readPictureFitting(const QString &path, const QSize &box, QSize *size,
                          MemoryBudget *budget = nullptr);

// The RGBA frame (frameFromPicture) of a picture file's bytes; null when they cannot
// become a frame.
QImage readFrameBytes(const unsigned char *data, size_t size, PngScratch *scratch);

// False only when the file's header tells that its picture has no alpha channel and no
// colour table that could hold a clear colour; reads no pixel.
bool pictureMayHaveAlpha(const QString &path);

// Reads the file whole as a frame (see frameFromPicture); null when it cannot be read or
// is too large. A reader of many files passes the same scratch every time.
QImage readFrameFile(const QString &path, PngScratch *scratch = nullptr);

#endif
