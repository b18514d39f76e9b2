#ifndef SERVICES_H
#define SERVICES_H

#include <QString>

struct FolderSetting;

// The stored folder if it exists, else fallback if it names one (the "Save to:" folder for
// a chooser never used), else the default output folder (created as needed). Never writes
// the settings.
QString folderFromSettings(const FolderSetting &setting, const QString &fallback = QString());

// Remembers the folder of a chosen file: the path up to and including the last separator,
// as the file choosers take it back.
void rememberFolderOf(const FolderSetting &setting, const QString &filePath);

// The program's temporary folder for this user and this run, created as needed, without a
// trailing slash; removed when the program ends. EMPTY when it cannot be created: the
// caller must then tell the user instead of writing a file.
QString tempFolder();

#endif
