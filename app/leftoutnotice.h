#ifndef LEFTOUTNOTICE_H
#define LEFTOUTNOTICE_H

#include <QCoreApplication>
#include <QList>
#include <QSize>
#include <QStringList>

// Why a file given to the window was not opened.
enum class LeftOutReason {
    Missing,
    NotAFile,
    NoPermission,
    NotOpenedKind, // of no kind the window opens
    NotWithOthers, // given with files of another kind
    NotAnImage,    // given to the images page, which takes still images only
    NotAPicture,   // cannot be read as a picture, or damaged
    TooLarge,      // a picture larger than a GIF frame can be
};

// The reason for a file that cannot be read.
LeftOutReason unreadableReason(const QString &path);

// The one notice that names the files left out of an opening, an import or a drop, each
// with its reason, the list shortened when long.
class LeftOutNotice
{
    Q_DECLARE_TR_FUNCTIONS(LeftOutNotice)

public:
    // size: the picture's, for TooLarge.
    void add(const QString &path, LeftOutReason reason, const QSize &size = QSize());
    void add(const QStringList &paths, LeftOutReason reason);
    // Files that cannot be read, each with the reason why.
    void addUnreadable(const QStringList &paths);
    // Files a page does not take: those that cannot be read with the reason why, the
    // others with reason.
    void addNotTaken(const QStringList &paths, LeftOutReason reason);
    bool isEmpty() const { return files.isEmpty(); }

    // "Not opened:", then "name: reason" for each of the first files and "and N more" for
    // the rest.
    QString text() const;
    // Shows the text in a notice when any file was left out, and forgets them.
    void showAndClear();

private:
    struct File
    {
        QString path;
        LeftOutReason reason;
        QSize size;
    };
    QString reasonText(const File &file) const;

    QList<File> files;
};

#endif
