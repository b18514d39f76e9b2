#include "app/openfolder.h"

#include <QProcess>
#include <QStringList>

void openFolderInFileBrowser(const QString &folder)
{
    if (folder.isEmpty())
        return;
#ifdef Q_OS_WIN
    // explorer parses its own command line: hand it the quoted, backslashed folder as is.
    QString path = folder;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QProcess explorer;
    explorer.setProgram(QStringLiteral("explorer"));
    explorer.setNativeArguments(QLatin1Char('"') + path + QLatin1Char('"'));
    explorer.startDetached();
#else
    QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{folder});
#endif
}
