#include "pages/naturalorder.h"

#include <QCollator>
#include <algorithm>

QStringList inNaturalOrder(QStringList paths)
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(paths.begin(), paths.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return paths;
}
