#ifndef FILEKINDS_H
#define FILEKINDS_H

#include <QStringList>

// Files handed to the program from outside (the command line, another start of it, a drop),
// sorted by what the program can do with them.
struct FileKinds
{
    QStringList images;
    QStringList videos;
    QStringList gifs;
    QStringList unreadable; // missing, not a file, or not readable
    QStringList unknown;    // readable, but of no kind the program opens
};

FileKinds sortByKind(const QStringList &paths);

// Why a path cannot be read as a file, if it cannot.
enum class FileProblem { None, Missing, NotAFile, NoPermission };
FileProblem fileProblem(const QString &path);

// The endings of the still images, the videos and the GIFs the program opens, in the order
// the file choosers list them.
const QStringList &imageSuffixes();
const QStringList &videoSuffixes();
const QStringList &gifSuffixes();

// A file chooser's filter for the endings: "label (*.a *.b)".
QString chooserFilter(const QString &label, const QStringList &suffixes);

#endif
