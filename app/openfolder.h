#ifndef OPENFOLDER_H
#define OPENFOLDER_H

#include <QString>

// Shows a folder in the desktop's file browser, detached; the result is ignored.
// Does nothing for an empty path.
void openFolderInFileBrowser(const QString &folder);

#endif
