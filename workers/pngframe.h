#ifndef PNGFRAME_H
#define PNGFRAME_H

#include <QImage>
#include <QString>
#include <functional>

// Saves one extracted frame as a PNG file that decodes to exactly the frame's pixels, and
// returns whether the file is complete. The file is written under a partial name beside
// path (workers/partialfile.h) and renamed when complete, so a failed save leaves nothing
// at either name; an existing file at path is replaced. While the file is written, stopped is asked between
// writes, and when it answers true the save gives up as failed.
bool savePngFrame(const QImage &frame, const QString &path,
                  const std::function<bool()> &stopped = {});

#endif
