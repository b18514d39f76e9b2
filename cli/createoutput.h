#ifndef CREATEOUTPUT_H
#define CREATEOUTPUT_H

#include <QString>
#include <QStringList>

// The checks of the GIF `lumorra create` is to write, made before anything is read: a slip
// such as a forgotten output name must not turn a picture into a GIF. Refused, with a
// message: an output that is one of the images (the same file however named: links, ".."
// and hard links included), or an existing file that is not a GIF (an empty one holds
// nothing to lose). A name not ending in ".gif" is written all the same, with a warning.
// Returns true when refused.
bool createOutputRefused(const QString &command, const QString &outPath,
                         const QStringList &images);

#endif
