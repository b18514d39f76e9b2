#include "rules/naturalorder.h"

#include <QCollator>
#include <algorithm>

QStringList inNaturalOrder(QStringList paths)
{
    // The C locale's collation compares plain text, digits included ("f10" before "f2"), and
    // scripts and bare sessions often run under it.
    const QLocale locale = QLocale().language() == QLocale::C
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(paths.begin(), paths.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return paths;
}
