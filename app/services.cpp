#include "app/services.h"

#include "app/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace {

// The user's documents folder with a trailing slash, created when there is none.
QString documentsBase()
{
    const QString home = QDir::homePath();
    if (QDir(home + QStringLiteral("/Documents")).exists())
        return home + QStringLiteral("/Documents/");
    if (QDir(home + QStringLiteral("/My Documents")).exists())
        return home + QStringLiteral("/My Documents/");
    QDir(home).mkdir(QStringLiteral("Documents"));
    return home + QStringLiteral("/Documents/");
}

// parent + "/" + name, created when missing; creation failures show up in later file use.
QString subFolder(const QString &parent, const QString &name)
{
    const QString path = parent + QLatin1Char('/') + name;
    if (!QDir(path).exists())
        QDir(path).mkdir(path);
    return path;
}

}

void rememberFolderOf(const FolderSetting &setting, const QString &filePath)
{
    writeSetting(setting,
                 filePath.left(filePath.length() - QFileInfo(filePath).fileName().length()));
}

QString folderFromSettings(const FolderSetting &setting, const QString &fallback)
{
    const QString stored = readSetting(setting);
    if (!stored.isEmpty() && QDir(stored).exists())
        return stored;
    if (!fallback.isEmpty() && QDir(fallback).exists())
        return fallback;
    const QString company = documentsBase() + organizationName;
    if (!QDir(company).exists())
        QDir(company).mkdir(company);
    return subFolder(company, applicationName);
}

QString tempFolder()
{
    // The system's temporary folder may be shared by all users (as /tmp is), where a fixed
    // name could already belong to someone else: each run makes its own folder, readable by
    // this user only, and makes it again if something cleared it away.
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder || !folder->isValid() || !QDir(folder->path()).exists()) {
        const QString systemTemp = QDir::tempPath(); // empty when it does not exist
        folder.reset(systemTemp.isEmpty() ? nullptr
                                          : new QTemporaryDir(systemTemp + QStringLiteral("/")
                                                              + applicationName
                                                              + QStringLiteral("-XXXXXX")));
    }
    return folder && folder->isValid() ? folder->path() : QString();
}
