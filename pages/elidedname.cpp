#include "pages/elidedname.h"

#include <QFontMetrics>

QString elidedFileName(const QString &name, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(name) <= width)
        return name;
    const QString ellipsis(QChar(0x2026));
    const int room = width - metrics.horizontalAdvance(ellipsis);
    const int length = name.size();
    int tail = 0;
    while (tail < length && metrics.horizontalAdvance(name.right(tail + 1)) <= room * 2 / 3)
        ++tail;
    // A number the ellipsis would cut is kept whole where the room allows.
    int numberStart = length - tail;
    while (numberStart > 1 && numberStart < length && name.at(numberStart).isDigit()
           && name.at(numberStart - 1).isDigit())
        --numberStart;
    if (metrics.horizontalAdvance(name.right(length - numberStart))
        <= room - metrics.horizontalAdvance(name.left(1)))
        tail = length - numberStart;
    const int tailWidth = metrics.horizontalAdvance(name.right(tail));
    int head = 0;
    while (head < length - tail
           && metrics.horizontalAdvance(name.left(head + 1)) + tailWidth <= room)
        ++head;
    return name.left(head) + ellipsis + name.right(tail);
}
