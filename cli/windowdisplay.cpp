#include "cli/windowdisplay.h"

#include "cli/commandoutput.h"

namespace {

// Whether an argument Qt's application object takes ("-name" or "--name", with its value
// next or after "=") is given.
bool hasWindowOption(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(2)
                                                                        : argument.mid(1);
        if (argument.startsWith(QLatin1Char('-'))
            && option.section(QLatin1Char('='), 0, 0) == name)
            return true;
    }
    return false;
}

} // namespace

bool displayFound(const QStringList &arguments)
{
#if defined(Q_OS_LINUX)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        || hasWindowOption(arguments, QStringLiteral("platform")))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || hasWindowOption(arguments, QStringLiteral("display"));
#else
    // Windows and macOS always have their desktop.
    Q_UNUSED(arguments);
    return true;
#endif
}

int failNoDisplay()
{
    return fail(QString(), QStringLiteral("no display found: the window needs one; 'lumorra "
                                          "create' and 'lumorra resolve' work without it "
                                          "(see lumorra --help)"));
}
