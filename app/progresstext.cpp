#include "app/progresstext.h"

#include "rules/sizetext.h"

#include <QCoreApplication>

QString progressText(int progress)
{
    return QString::asprintf("%02d.%02d", progress / 100, progress % 100) + QStringLiteral("% ");
}

QString fittingText(qint64 maxBytes)
{
    if (maxBytes <= 0)
        return QString();
    return QCoreApplication::translate("ProgressText", "· fitting under %1")
        .arg(bytesToSizeText(maxBytes));
}
