#ifndef ELIDEDNAME_H
#define ELIDEDNAME_H

#include <QString>

class QFontMetrics;

// A file name shortened to width pixels by a "…" in its middle, keeping twice as much of
// its end as of its start, and a number there whole where it fits: numbered frames
// ("clip_0001.png") differ near the end. The name itself when it fits.
QString elidedFileName(const QString &name, const QFontMetrics &metrics, int width);

#endif
