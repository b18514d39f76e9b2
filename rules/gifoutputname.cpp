#include "rules/gifoutputname.h"

#include <QFileInfo>

QString newGifFilePath(const QString &folder, const QDateTime &when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    const QString stem = folder + QLatin1Char('/')
                         + QStringLiteral("%1%2%3%4%5%6%7")
                               .arg(date.year())
                               .arg(date.month())
                               .arg(date.day())
                               .arg(time.hour())
                               .arg(time.minute())
                               .arg(time.second())
                               .arg(time.msec());
    QString path = stem + QStringLiteral(".gif");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("_%1.gif").arg(n);
    return path;
}
