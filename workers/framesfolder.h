#ifndef FRAMESFOLDER_H
#define FRAMESFOLDER_H

#include <QString>

// The folder inside outputFolder that receives a GIF's frames, named after the GIF without
// its ".gif" ending. When that name is taken by anything but an empty folder (a link counts
// as taken), "_2", "_3", ... is added, so that a run never mixes its frames with those of
// an earlier one. The folder is not created here.
QString newFramesFolder(const QString &outputFolder, const QString &gifPath);

// True when the folder holds no entry at all, hidden files and links included.
bool isEmptyFolder(const QString &path);

#endif
