#include "cli/unknownoption.h"

#include <QFileInfo>

QString unknownOptionAsTyped(const QStringList &unknownNames, const QStringList &arguments)
{
    if (unknownNames.isEmpty())
        return QString();
    const QString first = unknownNames.first();
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() == 1)
            continue;
        if (argument.startsWith(QLatin1String("--"))) {
            const QString typed = argument.section(QLatin1Char('='), 0, 0);
            if (typed.mid(2) == first)
                return typed;
        } else if (first.size() == 1 && argument.midRef(1).contains(first)) {
            // A single dash is read as a run of one-letter options.
            return argument;
        }
    }
    return QString();
}

bool looksLikeFileName(const QString &argument)
{
    return argument.contains(QLatin1Char('.')) || argument.contains(QLatin1Char('/'))
           || QFileInfo::exists(argument);
}
