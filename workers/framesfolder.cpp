#include "workers/framesfolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A link is never free: frames must not land wherever it points.
bool isFree(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return false;
    return !info.exists() || (info.isDir() && isEmptyFolder(path));
}

} // namespace

bool isEmptyFolder(const QString &path)
{
    // Hidden files and links, dangling ones too, are entries like any other.
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot)
        .isEmpty();
}

QString newFramesFolder(const QString &outputFolder, const QString &gifPath)
{
    // Only a real ".gif" ending is cut off; any other name names the folder as it stands,
    // and so does a name that would leave "", "." or ".." (the output folder or its parent).
    const QString fileName = QFileInfo(gifPath).fileName();
    QString base = fileName;
    if (fileName.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        base.chop(4);
    if (base.isEmpty() || base == QLatin1String(".") || base == QLatin1String(".."))
        base = fileName;

    const QString stem = outputFolder + QLatin1Char('/') + base;
    QString path = stem;
    for (int n = 2; !isFree(path); ++n)
        path = stem + QStringLiteral("_%1").arg(n);
    return path;
}
