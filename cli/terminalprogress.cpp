#include "cli/terminalprogress.h"

#include "rules/printablename.h"

#include <cstdio>

namespace {

const int BarWidth = 30;
// Keeps the line within an 80-column terminal; the end of a long path tells the most.
const int MostLabelLength = 36;

QString shortened(const QString &label)
{
    if (label.size() <= MostLabelLength)
        return label;
    return QStringLiteral("...") + label.right(MostLabelLength - 3);
}

} // namespace

TerminalProgress::TerminalProgress(const QString &label, bool shown)
    : label(shortened(printableName(label))), shown(shown)
{
}

void TerminalProgress::show(int progress)
{
    const int percent = qBound(0, progress, 10000) / 100;
    if (!shown || percent == drawnPercent)
        return;
    drawnPercent = percent;
    const int filled = percent * BarWidth / 100;
    const QString line = QStringLiteral("\r%1 [%2%3] %4%")
                             .arg(label, QString(filled, QLatin1Char('#')),
                                  QString(BarWidth - filled, QLatin1Char('.')))
                             .arg(percent, 3);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void TerminalProgress::finish()
{
    if (drawnPercent < 0)
        return;
    std::fputs("\n", stderr);
    std::fflush(stderr);
    drawnPercent = -1;
}
