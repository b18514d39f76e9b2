#include "app/replacefile.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>
#include <cstdio>
#endif

bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()),
                       reinterpret_cast<const wchar_t *>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING)
           != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData())
           == 0;
#endif
}
