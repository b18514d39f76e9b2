#ifndef VIDEOTOOLCOMMAND_H
#define VIDEOTOOLCOMMAND_H

#include <QString>
#include <QStringList>

// The external video tool (ffmpeg) as the video page runs it: where it is and what it is told.

// Windows: ffmpeg.exe in the application folder. Elsewhere: ffmpeg in the application
// folder when present, else ffmpeg from the PATH.
QString videoToolPath();

// Writes one still, about a second into the video, as a JPEG at stillPath.
QStringList thumbnailArguments(const QString &video, const QString &stillPath);

// Converts the video to a GIF at 15 frames a second. A start or duration of 0 is left out
// (the whole video from its start); the size only when both width and height are given.
QStringList conversionArguments(int startSeconds, int durationSeconds, const QString &video,
                                int width, int height, const QString &gifPath);

// Reads "h:m:s" or "m:s" as whole seconds (a part that is not a number counts as 0, no
// range check); any other number of parts keeps the previous value.
int startSecondsFromText(const QString &text, int previousSeconds);

// The GIF for a video in the output folder: the video's name up to its first dot + ".gif".
QString gifPathForVideo(const QString &outputFolder, const QString &video);

#endif
