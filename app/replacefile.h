#ifndef REPLACEFILE_H
#define REPLACEFILE_H

#include <QString>

// Renames from to to, replacing a file already at to in one step, so that to is at every
// moment either the old file or the whole new one. Both must be in the same folder.
bool replaceFile(const QString &from, const QString &to);

#endif
