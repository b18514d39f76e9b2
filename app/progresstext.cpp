#include "app/progresstext.h"

QString progressText(int progress)
{
    return QString::asprintf("%02d.%02d", progress / 100, progress % 100) + QStringLiteral("% ");
}
