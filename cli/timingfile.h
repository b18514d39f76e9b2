#ifndef TIMINGFILE_H
#define TIMINGFILE_H

#include <QList>
#include <QString>
#include <QStringList>

// The timing of a GIF as a text file (UTF-8), written by `lumorra resolve --timing` beside
// the frames and read by `lumorra create --timing`:
//
//   loop forever            (or "loop N": the frames play N times, N from 1)
//   1.png 10                one line per frame, in playing order: the picture's file
//   2.png 150               (relative to this file's folder), then its delay in
//                           hundredths of a second, 2 to 65535, as the line's last word
//
// Blank lines and lines that start with "#" are passed over.
struct TimingFile
{
    int playCount = 0;  // 0 for ever
    QStringList pictures;
    QList<int> delays;
};

// Reads the file; on failure returns false with *problem set to "PATH:LINE: what is wrong"
// (or "cannot read PATH: ..."). Picture names come back as given, not resolved.
bool readTimingFile(const QString &path, TimingFile *timing, QString *problem);

// Writes the file; false when it cannot be written whole.
bool writeTimingFile(const QString &path, const TimingFile &timing);

// Reads a file of one delay per line (blank and "#" lines passed over), each 2 to 65535
// hundredths of a second; on failure returns false with *problem set as readTimingFile does.
bool readDelaysFile(const QString &path, QList<int> *delays, QString *problem);

// The words of --loop and of a timing file's first line: "forever" is 0, N (1 to 65536)
// is itself; -1 for anything else.
int playCountFromText(const QString &text);

#endif
