#ifndef GIFOUTPUTNAME_H
#define GIFOUTPUTNAME_H

#include <QDateTime>
#include <QString>

// The path of a new GIF in folder, named from the moment of the job: year, month, day,
// hour, minute, second and millisecond without leading zeros ("20243578945.gif").
// Such names can repeat, so when the file exists "_2", "_3", ... goes before ".gif".
QString newGifFilePath(const QString &folder, const QDateTime &when);

#endif
