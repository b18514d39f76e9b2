#include "cli/commandoutput.h"

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
    // One line, whatever a file name holds.
    QString line = prefix + message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
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

void warn(const QString &command, const QString &message)
{
    fail(command, QStringLiteral("warning: ") + message);
}

QString readProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("cannot read %1: no such file").arg(path);
    if (!info.isFile())
        return QStringLiteral("cannot read %1: not a file").arg(path);
    if (!info.isReadable())
        return QStringLiteral("cannot read %1: permission denied").arg(path);
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
