#ifndef FRAMESFOLDER_H
#define FRAMESFOLDER_H

#include <QString>

// The folder inside outputFolder that receives a GIF's frames, named after the GIF without
// its ".gif" ending. When that name is taken by anything but an empty folder, "_2", "_3",
// ... is added, so that a run never mixes its frames with those of an earlier one. The
// folder is not created here.
QString newFramesFolder(const QString &outputFolder, const QString &gifPath);

#endif
