#ifndef SERVICES_H
#define SERVICES_H

#include <QString>

// The stored folder for a settings key if it exists, else the default output folder
// (created as needed). Never writes the settings.
QString folderFromSettings(const QString &key);

// A string value of the per-user settings; empty when the key is not set.
QString readSetting(const QString &key);

// Stores a string value in the per-user settings.
void writeSetting(const QString &key, const QString &value);

// Remembers the folder of a chosen file under key: the path up to and including the last
// separator, as the file choosers take it back.
void rememberFolderOf(const QString &key, const QString &filePath);

// The program's temporary folder for this user and this run, created as needed, without a
// trailing slash; removed when the program ends. EMPTY when it cannot be created: the
// caller must then tell the user instead of writing a file.
QString tempFolder();

#endif
