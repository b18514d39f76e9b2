#include "cli/createcommand.h"

#include "cli/commandjob.h"
#include "cli/commandoutput.h"
#include "cli/createchoices.h"
#include "cli/createoutput.h"
#include "cli/numberoption.h"
#include "encoder/gifstreamwriter.h"
#include "rules/framedelay.h"
#include "rules/naturalorder.h"
#include "workers/framefile.h"
#include "workers/gifcreaterthread.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

const QString Command = QStringLiteral("create");

const char Help[] = R"(Usage: lumorra create -o OUT.gif [options] IMAGE...
       lumorra create -o OUT.gif --timing FILE [options]

Makes one GIF of the images, byte for byte as the images page of the window does. The
canvas is as wide as the widest picture and as tall as the tallest (at least 20 x 20);
where a smaller picture leaves the canvas uncovered, the GIF is clear (transparent), and
so is every pixel whose alpha is below half.

Options:
  -o, --output OUT.gif  the GIF to write; a GIF there is replaced only once the new
                        one is complete; one of the images, or a file that is not a
                        GIF, is refused
  --fps N               frames per second, a whole number from 1 to 50 (default 10);
                        frames show for 100/N hundredths of a second; when N does not
                        divide 100, for the two nearest whole hundredths in turn, so that
                        the GIF keeps time (30: 3, 3, 4, 3, 3, 4, ...)
  --delays FILE         each frame's own delay instead: one line a frame, in the order
                        of the images, in hundredths of a second from 2 to 65535
  --loop forever|N      how many times viewers play the GIF (default forever); 1 plays
                        it once
  --timing FILE         the images, their delays and the loop from a timing file, as
                        'lumorra resolve --timing' writes it: first 'loop forever' or
                        'loop N', then one line a frame, the picture's file (relative to
                        FILE's folder) and its delay, e.g. '1.png 10'; blank lines and
                        lines starting with # are passed over
  --place topleft|centre|fit
                        where a picture smaller than the canvas goes: the top-left
                        corner (default), the middle, or scaled as large as fits with
                        its proportions kept, in the middle
  --width W, --height H draw the pictures W pixels wide, or H pixels tall, their
                        proportions kept (scaled smoothly: shrinking averages the pixels);
                        with both, as large as fits within W x H
  --no-sort             keep the images in the order given; by default they are taken
                        in natural order (file2 before file10, case ignored)
  --smaller             the "Smaller file" kind of GIF: only what changes between the
                        pictures is stored, much smaller for screen recordings
  --quality Q           1 to 100 (default 100, every changed pixel in its nearest
                        colour): lower levels give smaller files, leaving out changes
                        too small to see and using fewer, better chosen colours
  --max-size SIZE       the GIF is never larger: SIZE in bytes, or with K (1 000
                        bytes) or M (1 000 000 bytes), as in 10M. The quality level is
                        lowered first (from --quality), then the size, then the number
                        of frames (dropped evenly, the length kept); a limit not met
                        even then writes nothing (status 1)
  -q, --quiet           no progress bar (it is drawn only on a terminal)
  -h, --help            show this help

Every image must be readable: the first one that is not is named, and nothing is written.
A delays or timing file that cannot be used is named with the line at fault (status 2).
Exit status: 0 done, 1 failed, 2 bad options, 130 interrupted.
)";

// Why the file cannot be a frame, or empty when it can; *size receives its size. The rules
// are those of the images page's import, which skips what this refuses.
QString pictureProblem(const QString &path, QSize *size)
{
    const QString unreadable = readProblem(path);
    if (!unreadable.isEmpty())
        return unreadable;
    QImageReader reader(path);
    *size = pictureFrameSize(&reader);
    if (size->isValid())
        return QString();
    // Only a whole file's header is read: a damaged one may declare anything.
    if (!pictureFileIntact(path))
        return QStringLiteral("cannot read %1: damaged or incomplete picture").arg(path);
    const QSize declared = reader.size();
    if (declared.isValid())
        return QStringLiteral("%1 is %2 x %3 pixels: a frame can be at most %4 a side and %5 "
                              "megapixels")
            .arg(path)
            .arg(declared.width())
            .arg(declared.height())
            .arg(MaxGifSide)
            .arg(MaxFramePixels / 1000000);
    return QStringLiteral("cannot read %1: not a picture (%2)").arg(path, reader.errorString());
}

// Writes the GIF of the images at outPath, every file checked first. Returns the exit
// status.
int makeGif(const FrameList &list, const QString &outPath, const GifJobChoices &choices,
            bool quiet)
{
    const QString unwritable = writeProblem(outPath);
    if (!unwritable.isEmpty())
        return fail(Command, unwritable);

    QList<FrameSource> frames;
    for (int i = 0; i < list.images.size(); ++i) {
        QSize size;
        const QString problem = pictureProblem(list.images.at(i), &size);
        if (!problem.isEmpty())
            return fail(Command, problem);
        frames << FrameSource::fromFile(list.images.at(i), size);
        frames.last().delay = list.delays.value(i, -1);
    }

    GifCreaterThread creater;
    TerminalProgress progress(QStringLiteral("Creating ") + outPath,
                              !quiet && standardErrorIsTerminal());
    const GifJob job = makeGifJob(QFileInfo(outPath).absoluteFilePath(), frames, choices);
    runCommandJob(&creater, &progress, [&] { creater.startJob(job); });

    switch (creater.outcome) {
    case JobOutcome::Completed:
        return ExitSucceeded;
    case JobOutcome::Unreadable:
        return fail(Command, QStringLiteral("cannot read %1: damaged or incomplete picture")
                                 .arg(creater.unreadableFile));
    case JobOutcome::Stopped:
        return fail(Command, QStringLiteral("interrupted, %1 not written").arg(outPath),
                    ExitInterrupted);
    case JobOutcome::TooLarge:
        return fail(Command, QStringLiteral("the images need a canvas of %1 x %2 pixels, more "
                                            "than %3 megapixels: %4 not written")
                                 .arg(creater.gifWidth)
                                 .arg(creater.gifHeight)
                                 .arg(MaxFramePixels / 1000000)
                                 .arg(outPath));
    case JobOutcome::CannotFit:
        return fail(Command, cannotFitProblem(outPath, choices.maxBytes, creater.smallestBytes));
    default:
        return fail(Command, creater.writeError.isEmpty()
                                 ? QStringLiteral("cannot write %1").arg(outPath)
                                 : QStringLiteral("cannot write %1: %2")
                                       .arg(outPath, creater.writeError));
    }
}

} // namespace

int runCreateCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringList{"o", "output"}, QString(), "OUT.gif");
    const QCommandLineOption fps("fps", QString(), "N", "10");
    const QCommandLineOption noSort("no-sort");
    const QCommandLineOption smaller("smaller");
    const QCommandLineOption quality("quality", QString(), "Q", "100");
    const QCommandLineOption maxSize("max-size", QString(), "SIZE");
    const QCommandLineOption quiet(QStringList{"q", "quiet"});
    const QCommandLineOption help(QStringList{"h", "help"});
    const FrameChoiceOptions frameOptions;
    parser.addOptions({output, fps, noSort, smaller, quality, maxSize, quiet, help});
    parser.addOptions(frameOptions.all());
    if (!parser.parse(arguments))
        return failParse(Command, parser, arguments);
    if (parser.isSet(help)) {
        printOut(QString::fromUtf8(Help));
        return ExitSucceeded;
    }
    const QString outPath = parser.value(output);
    if (outPath.isEmpty())
        return failUsage(Command, QStringLiteral("no GIF to write: give one with -o OUT.gif"));
    bool isNumber = false;
    const int frameRate = parser.value(fps).toInt(&isNumber);
    if (!isNumber || frameRate < MinFrameRate || frameRate > MaxFrameRate)
        return failUsage(Command, QStringLiteral("--fps takes a whole number from %1 to %2, not '%3'")
                                      .arg(MinFrameRate)
                                      .arg(MaxFrameRate)
                                      .arg(parser.value(fps)));
    GifJobChoices choices;
    choices.frameRate = frameRate;
    choices.encoding.smallerFile = parser.isSet(smaller);
    QString problem;
    if (!wholeNumber(parser, quality, 1, 100, &choices.encoding.quality, &problem)
        || !sizeLimit(parser, maxSize, &choices.maxBytes, &problem))
        return failUsage(Command, problem);
    problem = frameChoicesFromOptions(parser, frameOptions, &choices);
    if (!problem.isEmpty())
        return failUsage(Command, problem);
    QStringList images = parser.positionalArguments();
    if (images.isEmpty() && !parser.isSet(frameOptions.timing))
        return failUsage(Command, QStringLiteral("no images given"));
    if (!parser.isSet(noSort))
        images = inNaturalOrder(images);
    QString usage;
    const FrameList list = frameListFromOptions(parser, frameOptions, images, parser.isSet(fps),
                                                &choices, &usage, &problem);
    if (!usage.isEmpty())
        return failUsage(Command, usage);
    if (!problem.isEmpty())
        return fail(Command, problem, ExitBadUsage);
    if (createOutputRefused(Command, outPath, list.images))
        return ExitBadUsage;
    return makeGif(list, outPath, choices, parser.isSet(quiet));
}
