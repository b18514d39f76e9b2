#include "app/services.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace {

const QString organization = QStringLiteral("Tessmark");
const QString application = QStringLiteral("Lumorra");

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

QString readSetting(const QString &key)
{
    QSettings settings(organization, application);
    return settings.value(key).toString();
}

void writeSetting(const QString &key, const QString &value)
{
    QSettings settings(organization, application);
    settings.setValue(key, value);
}

void rememberFolderOf(const QString &key, const QString &filePath)
{
    writeSetting(key, filePath.left(filePath.length() - QFileInfo(filePath).fileName().length()));
}

QString folderFromSettings(const QString &key)
{
    const QString stored = readSetting(key);
    if (!stored.isEmpty() && QDir(stored).exists())
        return stored;
    const QString company = documentsBase() + organization;
    if (!QDir(company).exists())
        QDir(company).mkdir(company);
    return subFolder(company, application);
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
                                                              + application
                                                              + QStringLiteral("-XXXXXX")));
    }
    return folder && folder->isValid() ? folder->path() : QString();
}
