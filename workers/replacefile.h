#ifndef REPLACEFILE_H
#define REPLACEFILE_H

#include <QString>

// Output is written beside its place under a name of its own and takes the place only when
// whole, so that a failed or stopped run leaves the folder as it was.

// A new, empty file beside path to write into ("path.N.part"), with the permissions a new
// file gets. Empty when none can be made; *reason then says why.
QString newPartialFile(const QString &path, QString *reason = nullptr);

// Renames from to to, replacing a file already at to in one step, so that to is at every
// moment either the old file or the whole new one. Both must be in the same folder.
bool replaceFile(const QString &from, const QString &to);

#endif
