#ifndef PROGRESSTEXT_H
#define PROGRESSTEXT_H

#include <QString>

// A worker's progress in ten-thousandths as the overlay shows it after its prefix:
// 4567 gives "45.67% ", 5 gives "00.05% ", 10000 gives "100.00% ".
QString progressText(int progress);

// What a creation under a size limit adds after its progress: "· fitting under 10 MB";
// empty without a limit (0).
QString fittingText(qint64 maxBytes);

#endif
