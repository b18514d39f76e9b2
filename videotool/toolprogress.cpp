#include "videotool/toolprogress.h"

#include <QList>

void ToolProgress::restart(qint64 length)
{
    partialLine.clear();
    lengthMs = length;
    doneMs = 0;
    ended = false;
}

void ToolProgress::add(const QByteArray &output)
{
    partialLine += output;
    const int lastBreak = partialLine.lastIndexOf('\n');
    if (lastBreak < 0)
        return;
    const QList<QByteArray> lines = partialLine.left(lastBreak).split('\n');
    partialLine.remove(0, lastBreak + 1);
    for (const QByteArray &line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith("out_time_us=")) {
            bool ok = false;
            const qint64 us = trimmed.mid(12).toLongLong(&ok);
            if (ok && us > 0)
                doneMs = us / 1000;
        } else if (trimmed == "progress=end") {
            ended = true;
        }
    }
}

int ToolProgress::progress() const
{
    if (lengthMs <= 0)
        return -1;
    if (ended)
        return 10000;
    return int(qMin<qint64>(10000, doneMs * 10000 / lengthMs));
}
