#include "cli/createoutput.h"

#include "cli/commandoutput.h"
#include "workers/giflayout.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

// What tells one existing file from another, whatever names lead to it.
struct FileIdentity
{
    quint64 volume = 0;
    quint64 index = 0;
    bool operator==(const FileIdentity &other) const
    {
        return volume == other.volume && index == other.index;
    }
};

bool identify(const QString &path, FileIdentity *identity)
{
#ifdef Q_OS_WIN
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known)
        return false;
    identity->volume = information.dwVolumeSerialNumber;
    identity->index = (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
#else
    struct stat information;
    if (stat(QFile::encodeName(path).constData(), &information) != 0)
        return false;
    identity->volume = quint64(information.st_dev);
    identity->index = quint64(information.st_ino);
    return true;
#endif
}

} // namespace

bool createOutputRefused(const QString &command, const QString &outPath,
                         const QStringList &images)
{
    const QFileInfo out(outPath);
    FileIdentity output;
    if (out.isFile() && identify(outPath, &output)) {
        for (const QString &image : images) {
            FileIdentity input;
            if (identify(image, &input) && input == output) {
                fail(command, QStringLiteral("the output %1 is one of the images (%2): give "
                                             "the GIF to write with -o OUT.gif")
                                  .arg(outPath, image));
                return true;
            }
        }
        if (out.size() > 0 && !startsLikeGif(outPath)) {
            fail(command, QStringLiteral("%1 exists and is not a GIF: it is not replaced; "
                                         "give another name with -o")
                              .arg(outPath));
            return true;
        }
    }
    // Said only of a file that will be written: a folder in the way is refused later.
    const bool writable = !out.isDir() && QFileInfo(out.absolutePath()).isDir();
    if (writable && !out.fileName().endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        warn(command, QStringLiteral("%1 does not end in .gif; a GIF is written all the same")
                          .arg(outPath));
    return false;
}
