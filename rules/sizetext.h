#ifndef SIZETEXT_H
#define SIZETEXT_H

#include <QString>

// Reads a file size limit: bytes ("800000"), or a number with K for 1 000 bytes or M for
// 1 000 000 bytes ("500K", "2.5M", either case), so that a file under "10M" fits a limit
// written either way. False unless it comes to a whole number of bytes from 1 on.
bool sizeTextToBytes(const QString &text, qint64 *bytes);

// A size as people read it, in the units of the limits: "950 bytes", "12 KB", "6.4 MB",
// "25 MB" (K and M as above; two significant figures below ten, whole numbers above,
// rounded; a whole number of units without decimals).
QString bytesToSizeText(qint64 bytes);

#endif
