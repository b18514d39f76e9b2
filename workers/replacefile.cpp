#include "workers/replacefile.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#endif

QString newPartialFile(const QString &path, QString *reason)
{
    for (int attempt = 1; attempt <= 100; ++attempt) {
        QFile file(path + QStringLiteral(".%1.part").arg(attempt));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        // Only a name taken by an earlier run is worth another try.
        if (!file.exists()) {
            if (reason)
                *reason = file.errorString();
            return QString();
        }
    }
    if (reason)
        *reason = QStringLiteral("no free name for a temporary file");
    return QString();
}

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
