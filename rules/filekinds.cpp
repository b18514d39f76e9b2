#include "rules/filekinds.h"

#include <QFileInfo>

const QStringList &imageSuffixes()
{
    static const QStringList suffixes = {"jpg", "png", "jpeg", "bmp"};
    return suffixes;
}

const QStringList &videoSuffixes()
{
    static const QStringList suffixes = {"mp4", "mkv", "webm", "mpeg", "avi", "mov"};
    return suffixes;
}

const QStringList &gifSuffixes()
{
    static const QStringList suffixes = {"gif"};
    return suffixes;
}

QString chooserFilter(const QString &label, const QStringList &suffixes)
{
    return label + QStringLiteral(" (*.") + suffixes.join(QStringLiteral(" *.")) + QLatin1Char(')');
}

FileKinds sortByKind(const QStringList &paths)
{
    FileKinds kinds;
    for (const QString &path : paths) {
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (fileProblem(path) != FileProblem::None)
            kinds.unreadable << path;
        else if (gifSuffixes().contains(suffix))
            kinds.gifs << path;
        else if (imageSuffixes().contains(suffix))
            kinds.images << path;
        else if (videoSuffixes().contains(suffix))
            kinds.videos << path;
        else
            kinds.unknown << path;
    }
    return kinds;
}

FileProblem fileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileProblem::Missing;
    if (!info.isFile())
        return FileProblem::NotAFile;
    if (!info.isReadable())
        return FileProblem::NoPermission;
    return FileProblem::None;
}
