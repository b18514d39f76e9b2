#ifndef PNGFRAME_H
#define PNGFRAME_H

#include <QImage>
#include <QString>

// Saves one extracted frame as a PNG file that decodes to exactly the frame's pixels.
// Returns whether the file was written.
bool savePngFrame(const QImage &frame, const QString &path);

#endif
