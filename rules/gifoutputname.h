#ifndef GIFOUTPUTNAME_H
#define GIFOUTPUTNAME_H

#include <QDateTime>
#include <QString>

// A new GIF never replaces an earlier one: stem + ".gif" when nothing is there (not even a
// link), else the first free of stem + "_2.gif", "_3.gif", ...
QString firstFreeGifPath(const QString &stem);

// The path of a new GIF in folder, named from the moment of the job: year, month, day,
// hour, minute, second and millisecond without leading zeros ("20243578945.gif"), made
// free by firstFreeGifPath (such names can repeat).
QString newGifFilePath(const QString &folder, const QDateTime &when);

#endif
