#include "rules/gifoutputname.h"

#include <QFileInfo>

namespace {

bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString firstFreeGifPath(const QString &stem)
{
    QString path = stem + QStringLiteral(".gif");
    for (int n = 2; isTaken(path); ++n)
        path = stem + QStringLiteral("_%1.gif").arg(n);
    return path;
}

QString newGifFilePath(const QString &folder, const QDateTime &when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return firstFreeGifPath(folder + QLatin1Char('/')
                            + QStringLiteral("%1%2%3%4%5%6%7")
                                  .arg(date.year())
                                  .arg(date.month())
                                  .arg(date.day())
                                  .arg(time.hour())
                                  .arg(time.minute())
                                  .arg(time.second())
                                  .arg(time.msec()));
}
