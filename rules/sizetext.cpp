#include "rules/sizetext.h"

#include <QRegularExpression>

bool sizeTextToBytes(const QString &text, qint64 *bytes)
{
    // At most a petabyte, so that the sum below cannot overflow.
    static const QRegularExpression form(QStringLiteral("^(\\d{1,15})(?:\\.(\\d{1,6}))?([kKmM]?)$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const QString unitLetter = match.captured(3).toUpper();
    const int unitDigits = unitLetter == QLatin1String("M") ? 6 : unitLetter == QLatin1String("K") ? 3 : 0;
    const QString fraction = match.captured(2);
    // The decimals the unit turns into whole bytes; any beyond them must be zeros.
    if (fraction.mid(unitDigits).count(QLatin1Char('0')) != fraction.mid(unitDigits).size())
        return false;
    const QString paddedFraction = (fraction.left(unitDigits) + QString(unitDigits, QLatin1Char('0'))).left(unitDigits);
    qint64 unit = 1;
    for (int i = 0; i < unitDigits; ++i)
        unit *= 10;
    const qint64 result = match.captured(1).toLongLong() * unit
                          + (unitDigits > 0 ? paddedFraction.toLongLong() : 0);
    if (result < 1)
        return false;
    *bytes = result;
    return true;
}

QString bytesToSizeText(qint64 bytes)
{
    if (bytes < 1000)
        return QStringLiteral("%1 bytes").arg(bytes);
    const bool mega = bytes >= 999500;
    const double units = double(bytes) / (mega ? 1e6 : 1e3);
    const QString unit = mega ? QStringLiteral("MB") : QStringLiteral("KB");
    QString number = units < 9.95 ? QString::number(units, 'f', 1) : QString::number(qRound64(units));
    if (number.endsWith(QLatin1String(".0")))
        number.chop(2);
    return number + QLatin1Char(' ') + unit;
}
