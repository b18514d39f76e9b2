#ifndef TOOLPROGRESS_H
#define TOOLPROGRESS_H

#include <QByteArray>

// Follows the "key=value" report that the video tool writes with -progress, among its other
// output, and turns it into progress against the length being converted.
class ToolProgress
{
public:
    // Starts over for a conversion of lengthMs; 0 when the length is not known.
    void restart(qint64 lengthMs);
    // Takes the next piece of the tool's output, which may end in the middle of a line.
    void add(const QByteArray &output);
    // Ten-thousandths of the length done (0 to 10000), or -1 while the length is unknown.
    int progress() const;

private:
    QByteArray partialLine;
    qint64 lengthMs = 0;
    qint64 doneMs = 0;
    bool ended = false;
};

#endif
