#ifndef VIDEOTOOLCOMMAND_H
#define VIDEOTOOLCOMMAND_H

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

// The external video tool as the video page and the command line run it: where its
// programs are and what they are told.

// Windows: program.exe in the application folder. Elsewhere: the program in the application
// folder when present, else the one on the PATH. The programs are "ffmpeg" and "ffprobe".
QString videoToolPath(const QString &appFolder,
                      const QString &program = QStringLiteral("ffmpeg"));

// ffprobe: the first video stream's size and turn and the clip's length, as JSON on standard
// output.
QStringList probeArguments(const QString &video);

// One still at atMs into the video, as a JPEG at stillPath (which may exist already).
QStringList stillArguments(const QString &video, qint64 atMs, const QString &stillPath);

// What the form asks of one conversion. A start or length of 0 is left out (the whole clip
// from its start); width and height of 0 mean the clip's own size, one of them alone keeps
// the clip's proportions.
struct GifSettings
{
    qint64 startMs = 0;
    qint64 durationMs = 0;
    int width = 0;
    int height = 0;
    int frameRate = 15;
    // A palette built from the clip itself instead of the tool's fixed one.
    bool paletteFromClip = false;
    // 1 to 100: below 100 the tool only decodes the clip and our encoder writes the GIF at
    // that level (see GifOptions::quality); at 100 the tool writes it.
    int quality = 100;
    // The GIF must not be larger, in bytes (see GifJobChoices::maxBytes); 0 for no limit.
    // Our encoder writes a GIF that has a limit.
    qint64 maxBytes = 0;
};

// Whether our encoder writes the GIF, the video tool only decoding the clip: below quality
// 100, or under a size limit.
bool encodedByUs(const GifSettings &settings);

// The part of the clip the settings take: "-ss START -t LENGTH -i video", without a start
// or length of 0.
QStringList clipArguments(const GifSettings &settings, const QString &video);

// "scale=W:H", -1 for a side left to the clip's proportions; empty for the clip's own size.
QString scaleFilter(const GifSettings &settings);

// The filter chain that turns the clip's frames into the GIF's: thinned to the frame rate,
// then scaled ("fps=10,scale=320:-1").
QString frameFilters(const GifSettings &settings);

// Decodes the clip into raw RGBA frames on standard output, thinned and scaled by the frame
// filters; settings gives both sides, so that every frame has a size known in advance. With
// places, only the frames at those places (0 the first, in increasing order) are written.
QStringList decodeArguments(const GifSettings &settings, const QString &video,
                            const QVector<int> &places = {});

// Converts the video to a GIF at gifPath (overwritten), reporting progress on standard
// output.
QStringList conversionArguments(const GifSettings &settings, const QString &video,
                                const QString &gifPath);

// The size of the GIF made from a clip of clipSize with the form's width and height.
QSize gifSizeFor(int width, int height, const QSize &clipSize);

// A new GIF for a video in the output folder: the video's name without its last extension
// + ".gif", or with "_2", "_3", ... when an earlier GIF has that name.
QString gifPathForVideo(const QString &outputFolder, const QString &video);

#endif
