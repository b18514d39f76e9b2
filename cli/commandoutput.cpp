#include "cli/commandoutput.h"

#include "cli/unknownoption.h"
#include "rules/filekinds.h"
#include "rules/printablename.h"
#include "rules/sizetext.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

void attachToStartingConsole()
{
#ifdef Q_OS_WIN
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#else
    // Standard output and error are inherited from the shell as they are.
#endif
}

void printOut(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

int fail(const QString &command, const QString &message, int status)
{
    const QString prefix = command.isEmpty() ? QStringLiteral("lumorra: ")
                                             : QStringLiteral("lumorra %1: ").arg(command);
    // One line, whatever a file name holds, and nothing a terminal would take as a command.
    const QString line = printableName(prefix + message);
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return status;
}

int failUsage(const QString &command, QString message)
{
    if (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    if (!message.isEmpty())
        message[0] = message.at(0).toLower();
    const QString help = command.isEmpty() ? QStringLiteral("lumorra --help")
                                           : QStringLiteral("lumorra %1 --help").arg(command);
    return fail(command, QStringLiteral("%1 (see %2)").arg(message, help), ExitBadUsage);
}

int failParse(const QString &command, const QCommandLineParser &parser,
              const QStringList &arguments)
{
    const QString unknown = unknownOptionAsTyped(parser.unknownOptionNames(), arguments);
    if (unknown.isEmpty())
        return failUsage(command, parser.errorText());
    QString message = QStringLiteral("unknown option '%1'").arg(unknown);
    if (looksLikeFileName(unknown))
        message += QStringLiteral("; put '--' before file names that start with '-'");
    return failUsage(command, message);
}

void warn(const QString &command, const QString &message)
{
    fail(command, QStringLiteral("warning: ") + message);
}

QString readProblem(const QString &path)
{
    switch (fileProblem(path)) {
    case FileProblem::Missing:
        return QStringLiteral("cannot read %1: no such file").arg(path);
    case FileProblem::NotAFile:
        return QStringLiteral("cannot read %1: not a file").arg(path);
    case FileProblem::NoPermission:
        return QStringLiteral("cannot read %1: permission denied").arg(path);
    case FileProblem::None:
        break;
    }
    return QString();
}

QString writeProblem(const QString &path)
{
    const QFileInfo out(path);
    if (out.isDir())
        return QStringLiteral("cannot write %1: it is a folder").arg(path);
    if (!QFileInfo(out.absolutePath()).isDir())
        return QStringLiteral("cannot write %1: no folder %2")
            .arg(path, QDir::toNativeSeparators(out.absolutePath()));
    return QString();
}

bool standardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return isatty(fileno(stderr));
#endif
}

QString cannotFitProblem(const QString &path, qint64 limit, qint64 smallest)
{
    const QString problem = QStringLiteral("cannot make %1 fit under %2 even at the smallest "
                                           "settings, nothing written")
                                .arg(path, bytesToSizeText(limit));
    return smallest > 0
               ? problem + QStringLiteral(" (it would take about %1)").arg(bytesToSizeText(smallest))
               : problem;
}
