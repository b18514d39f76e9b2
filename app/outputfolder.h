#ifndef OUTPUTFOLDER_H
#define OUTPUTFOLDER_H

#include <QString>

// The output folder as every page's job meets it. The folder was chosen, or made as the
// default, but may have gone since (removed, a drive unplugged): a job makes it again
// before it writes, and a failure names the folder.

// True when the folder is there or could be made; else false, after a notice naming it.
bool makeOutputFolder(const QString &folder);

// The notice of a job that could not write into folder.
void showCannotWriteInto(const QString &folder);

#endif
