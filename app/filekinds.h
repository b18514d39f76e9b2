#ifndef FILEKINDS_H
#define FILEKINDS_H

#include <QStringList>

// Files handed to the program from outside (the command line, another start of it), sorted
// by what the program can do with them. The kinds are those of the choosers' filters.
struct FileKinds
{
    QStringList images;
    QStringList videos;
    QStringList gifs;
    QStringList unreadable; // missing, not a file, or not readable
    QStringList unknown;    // readable, but of no kind the program opens
};

FileKinds sortByKind(const QStringList &paths);

#endif
