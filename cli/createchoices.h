#ifndef CREATECHOICES_H
#define CREATECHOICES_H

#include "workers/gifjob.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// The options of `lumorra create` that choose how the frames look and play, and where the
// images and their delays come from.
struct FrameChoiceOptions
{
    QCommandLineOption place{"place", QString(), "topleft|centre|fit", "topleft"};
    QCommandLineOption width{"width", QString(), "W"};
    QCommandLineOption height{"height", QString(), "H"};
    QCommandLineOption loop{"loop", QString(), "forever|N", "forever"};
    QCommandLineOption delays{"delays", QString(), "FILE"};
    QCommandLineOption timing{"timing", QString(), "FILE"};

    QList<QCommandLineOption> all() const { return {place, width, height, loop, delays, timing}; }
};

// The images of a job, in playing order, and the delay of each (empty: from the rate).
struct FrameList
{
    QStringList images;
    QList<int> delays;
};

// Sets choices' placement, resize and play count from the parsed options. Returns what is
// wrong with them, empty when nothing is.
QString frameChoicesFromOptions(const QCommandLineParser &parser,
                                const FrameChoiceOptions &options, GifJobChoices *choices);

// The images and delays of the job: those of --timing FILE (which also sets the play
// count), or the images given with the delays of --delays FILE, if any. rateGiven: --fps
// was given, which neither file goes with. *usage is set when the options do not go
// together, *problem when a file is wrong; both name what is wrong.
FrameList frameListFromOptions(const QCommandLineParser &parser,
                               const FrameChoiceOptions &options, const QStringList &images,
                               bool rateGiven, GifJobChoices *choices, QString *usage,
                               QString *problem);

#endif
