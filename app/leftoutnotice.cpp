#include "app/leftoutnotice.h"

#include "app/messagequestions.h"
#include "encoder/gifstreamwriter.h"
#include "rules/filekinds.h"
#include "rules/printablename.h"
#include "workers/framefile.h"

#include <QFileInfo>

namespace {

// Files named one by one; more would not fit the notice.
const int MostNamed = 8;
// Characters of a name shown; a longer one keeps its start and its end.
const int MostNameLength = 48;

QString shownName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        name = path;
    name = printableName(name);
    if (name.size() <= MostNameLength)
        return name;
    const int end = MostNameLength * 2 / 3;
    return name.left(MostNameLength - end - 1) + QStringLiteral("…") + name.right(end);
}

} // namespace

LeftOutReason unreadableReason(const QString &path)
{
    switch (fileProblem(path)) {
    case FileProblem::Missing:
        return LeftOutReason::Missing;
    case FileProblem::NotAFile:
        return LeftOutReason::NotAFile;
    case FileProblem::NoPermission:
    case FileProblem::None: // readable again: it was not a moment ago
        break;
    }
    return LeftOutReason::NoPermission;
}

void LeftOutNotice::add(const QString &path, LeftOutReason reason, const QSize &size)
{
    files.append(File{path, reason, size});
}

void LeftOutNotice::add(const QStringList &paths, LeftOutReason reason)
{
    for (const QString &path : paths)
        add(path, reason);
}

void LeftOutNotice::addUnreadable(const QStringList &paths)
{
    for (const QString &path : paths)
        add(path, unreadableReason(path));
}

void LeftOutNotice::addNotTaken(const QStringList &paths, LeftOutReason reason)
{
    for (const QString &path : paths)
        add(path, fileProblem(path) == FileProblem::None ? reason : unreadableReason(path));
}

QString LeftOutNotice::reasonText(const File &file) const
{
    switch (file.reason) {
    case LeftOutReason::Missing:
        return tr("no such file");
    case LeftOutReason::NotAFile:
        return tr("not a file");
    case LeftOutReason::NoPermission:
        return tr("permission denied");
    case LeftOutReason::NotOpenedKind:
        return tr("not an image, GIF or video");
    case LeftOutReason::NotWithOthers:
        return tr("images, one GIF or one video at a time");
    case LeftOutReason::NotAnImage:
        return tr("not a still image");
    case LeftOutReason::NotAPicture:
        return tr("not a picture, or damaged");
    case LeftOutReason::TooLarge:
        return tr("%1 × %2 pixels: a frame can be at most %3 a side and %4 megapixels")
            .arg(file.size.width())
            .arg(file.size.height())
            .arg(MaxGifSide)
            .arg(MaxFramePixels / 1000000);
    }
    return QString();
}

QString LeftOutNotice::text() const
{
    // "and 1 more" would take the line the name takes.
    const int named = files.size() <= MostNamed + 1 ? files.size() : MostNamed;
    QStringList lines{tr("Not opened:")};
    for (const File &file : files.mid(0, named))
        lines << shownName(file.path) + QStringLiteral(": ") + reasonText(file);
    if (named < files.size())
        lines << tr("and %1 more").arg(files.size() - named);
    return lines.join(QLatin1Char('\n'));
}

void LeftOutNotice::showAndClear()
{
    if (files.isEmpty())
        return;
    const QString message = text();
    files.clear();
    showNotice(message, tr("OK"));
}
