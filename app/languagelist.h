#ifndef LANGUAGELIST_H
#define LANGUAGELIST_H

#include <QString>
#include <QStringList>

// The languages offered in the menu, read from a Lang_config file: one "code=name" a line,
// each line trimmed, the list ending at the first empty line. Lines without "=" are skipped.
// A file that cannot be opened gives English alone.
struct LanguageList
{
    QStringList names;
    QStringList codes;
};

LanguageList readLanguageList(const QString &configPath);

#endif
