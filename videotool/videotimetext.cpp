#include "videotool/videotimetext.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const qint64 longestDurationMs = 10000 * 1000;

// Whole seconds and a decimal part of at most maxDecimals digits; empty is 0.
bool secondsToMs(const QString &text, int maxDecimals, qint64 *ms)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{0,9})(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || text == QLatin1String(".") || match.capturedLength(2) > maxDecimals)
        return false;
    const QString fraction = (match.captured(2) + QStringLiteral("000")).left(3);
    *ms = match.captured(1).toLongLong() * 1000 + fraction.toLongLong();
    return true;
}

}

bool startTextToMs(const QString &text, qint64 *ms)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^\\d{0,9}$"));
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() > 3)
        return false;
    qint64 seconds = 0;
    for (int i = 0; i < parts.size() - 1; ++i) {
        if (!wholeNumber.match(parts[i]).hasMatch())
            return false;
        seconds = seconds * 60 + parts[i].toLongLong();
    }
    qint64 lastMs = 0;
    if (!secondsToMs(parts.last(), 3, &lastMs))
        return false;
    *ms = seconds * 60 * 1000 + lastMs;
    return true;
}

bool durationTextToMs(const QString &text, qint64 *ms)
{
    return secondsToMs(text.trimmed(), 2, ms) && *ms <= longestDurationMs;
}

QString startTextFromMs(qint64 ms)
{
    const qint64 whole = ms / 1000;
    const QString text = QStringLiteral("%1:%2:%3")
                             .arg(whole / 3600, 2, 10, QLatin1Char('0'))
                             .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(whole % 60, 2, 10, QLatin1Char('0'));
    const QString seconds = secondsTextFromMs(ms);
    const int point = seconds.indexOf(QLatin1Char('.'));
    return point < 0 ? text : text + seconds.mid(point);
}

QString clipLengthText(qint64 ms)
{
    return startTextFromMs((ms + 50) / 100 * 100);
}

QString secondsTextFromMs(qint64 ms)
{
    const QString text = QString::number(ms / 1000);
    if (ms % 1000 == 0)
        return text;
    QString fraction = QStringLiteral("%1").arg(ms % 1000, 3, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return text + QLatin1Char('.') + fraction;
}
