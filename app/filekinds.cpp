#include "app/filekinds.h"

#include <QFileInfo>

FileKinds sortByKind(const QStringList &paths)
{
    static const QStringList imageSuffixes = {"jpg", "png", "jpeg", "bmp"};
    static const QStringList videoSuffixes = {"mp4", "mkv", "webm", "mpeg", "avi", "mov"};
    FileKinds kinds;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        const QString suffix = info.suffix().toLower();
        if (!info.isFile() || !info.isReadable())
            kinds.unreadable << path;
        else if (suffix == QLatin1String("gif"))
            kinds.gifs << path;
        else if (imageSuffixes.contains(suffix))
            kinds.images << path;
        else if (videoSuffixes.contains(suffix))
            kinds.videos << path;
        else
            kinds.unknown << path;
    }
    return kinds;
}
