#include "workers/partialfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// More writers than this at once beside one file are not expected.
const int MostNames = 100;

QString partialName(const QString &finalPath, int n)
{
    return finalPath + QStringLiteral(".%1.part").arg(n);
}

bool isPartialNameOf(const QString &name, const QString &finalName)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+$"));
    const QString prefix = finalName + QLatin1Char('.');
    const QString suffix = QStringLiteral(".part");
    return name.size() > prefix.size() + suffix.size() && name.startsWith(prefix)
           && name.endsWith(suffix)
           && number.match(name.mid(prefix.size(), name.size() - prefix.size() - suffix.size()))
                  .hasMatch();
}

bool isGifPartialName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\.gif\\.[0-9]+\\.part$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

#ifdef Q_OS_WIN

const wchar_t *wide(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

bool nameTaken()
{
    const DWORD code = GetLastError();
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

// A file held by its writer cannot be deleted: it was opened without FILE_SHARE_DELETE.
bool removeIfStale(const QString &path)
{
    const DWORD attributes = GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES
        || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    return DeleteFileW(wide(path)) != 0;
}

#else

bool nameTaken()
{
    return errno == EEXIST;
}

bool namesFile(int descriptor, const QByteArray &path)
{
    struct stat held, named;
    return fstat(descriptor, &held) == 0 && lstat(path.constData(), &named) == 0
           && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// The writer holds an exclusive lock on its file; a file nobody holds is stale. The lock is
// kept while the name is removed, so that no writer takes the file meanwhile.
bool removeIfStale(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat info;
    const bool removed = fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)
                         && flock(descriptor, LOCK_EX | LOCK_NB) == 0
                         && namesFile(descriptor, name) && unlink(name.constData()) == 0;
    close(descriptor);
    return removed;
}

#endif

} // namespace

PartialFile::PartialFile(const QString &finalPath) : finalPath(finalPath)
{
    bool cleaned = false;
    for (int n = 1; n <= MostNames;) {
        if (create(partialName(finalPath, n)))
            return;
        if (!nameTaken()) {
            error = qt_error_string(-1);
            return;
        }
        // The names of killed runs are taken back once, and the first free one is used.
        if (!cleaned) {
            const QFileInfo info(finalPath);
            removeStalePartialFiles(info.absolutePath(), info.fileName());
            cleaned = true;
            continue;
        }
        ++n;
    }
    error = QStringLiteral("no free name for a temporary file");
}

PartialFile::~PartialFile()
{
    if (!isOpen())
        return;
#ifdef Q_OS_WIN
    release();
    DeleteFileW(wide(partPath));
#else
    // Only the file made here: a clean-up may have taken the name for another.
    if (namesFile(descriptor, QFile::encodeName(partPath)))
        unlink(QFile::encodeName(partPath).constData());
    release();
#endif
}

#ifdef Q_OS_WIN

// Without FILE_SHARE_DELETE, nobody removes or renames the file while it is held; the
// writers, which open it again by name, share reading and writing.
bool PartialFile::create(const QString &path)
{
    HANDLE file = CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    handle = file;
    partPath = path;
    return true;
}

bool PartialFile::isOpen() const
{
    return handle != nullptr;
}

void PartialFile::release()
{
    CloseHandle(static_cast<HANDLE>(handle));
    handle = nullptr;
}

bool PartialFile::commit()
{
    if (!isOpen())
        return false;
    // The move needs the file let go of first.
    release();
    if (MoveFileExW(wide(partPath), wide(finalPath), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(wide(partPath));
    return false;
}

#else

// O_EXCL makes a new file and never follows a link at the name, even a dangling one.
bool PartialFile::create(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int made = open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          0666);
    if (made < 0)
        return false;
    // A clean-up holds the lock only while it removes a stale name. On a file system
    // without locks the file is still written; only its clean-up after a kill is lost.
    while (flock(made, LOCK_EX) != 0 && errno == EINTR) {
    }
    // A clean-up that took the name between the two steps left this file without one.
    if (!namesFile(made, name)) {
        close(made);
        errno = EEXIST;
        return false;
    }
    descriptor = made;
    partPath = path;
    return true;
}

bool PartialFile::isOpen() const
{
    return descriptor >= 0;
}

void PartialFile::release()
{
    close(descriptor);
    descriptor = -1;
}

bool PartialFile::commit()
{
    if (!isOpen())
        return false;
    const bool moved = std::rename(QFile::encodeName(partPath).constData(),
                                   QFile::encodeName(finalPath).constData())
                       == 0;
    if (!moved)
        unlink(QFile::encodeName(partPath).constData());
    release();
    return moved;
}

#endif

void removeStalePartialFiles(const QString &folder, const QString &finalName)
{
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (finalName.isEmpty() ? isGifPartialName(name) : isPartialNameOf(name, finalName))
            removeIfStale(folder + QLatin1Char('/') + name);
    }
}
