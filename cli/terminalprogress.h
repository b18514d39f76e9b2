#ifndef TERMINALPROGRESS_H
#define TERMINALPROGRESS_H

#include <QString>

// A one-line progress bar on standard error, "label [##########..........]  50%", redrawn
// in place whenever the whole percentage changes. Draws nothing when not shown.
class TerminalProgress
{
public:
    TerminalProgress(const QString &label, bool shown);

    // progress in ten-thousandths, 0 to 10000, as the workers report it.
    void show(int progress);
    // Ends the bar's line, so that whatever follows starts on a line of its own.
    void finish();

private:
    QString label;
    bool shown;
    int drawnPercent = -1;
};

#endif
