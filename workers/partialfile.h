#ifndef PARTIALFILE_H
#define PARTIALFILE_H

#include <QString>

// A file being written beside its final place under a name of this program's own,
// "NAME.N.part", so that a failed, stopped or killed run never leaves a cut-off file under
// the final name. The file is made new, never through a link nor over another file, and is
// held for as long as the object lives: a name of the pattern that nobody holds was left by
// a run that was killed, and removeStalePartialFiles() takes it away. Destroyed without
// commit(), the object removes its file.
class PartialFile
{
public:
    // Makes the file beside finalPath, with the permissions a new file gets, at the first
    // free N from 1; names left by killed runs are taken back first. isOpen() tells whether
    // it worked and errorString() why not.
    explicit PartialFile(const QString &finalPath);
    ~PartialFile();
    PartialFile(const PartialFile &) = delete;
    PartialFile &operator=(const PartialFile &) = delete;

    bool isOpen() const;
    QString path() const { return partPath; }
    QString errorString() const { return error; }
    // Moves the complete file to the final path, replacing a file there in one step, so
    // that the final path is at every moment either the old file or the whole new one.
    bool commit();

private:
    bool create(const QString &path);
    void release();

    QString finalPath;
    QString partPath;
    QString error;
#ifdef Q_OS_WIN
    void *handle = nullptr;
#else
    int descriptor = -1;
#endif
};

// Removes from folder the partial files of runs that were killed before they ended: those of
// finalName ("finalName.N.part") when it is given, else those of GIFs ("*.gif.N.part").
// A file that a running writer holds, a link and anything but a plain file stay.
void removeStalePartialFiles(const QString &folder, const QString &finalName = QString());

#endif
