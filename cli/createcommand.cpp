#include "cli/createcommand.h"

#include "cli/commandjob.h"
#include "cli/commandoutput.h"
#include "cli/createoutput.h"
#include "encoder/gifstreamwriter.h"
#include "rules/framedelay.h"
#include "rules/naturalorder.h"
#include "workers/framefile.h"
#include "workers/gifcreaterthread.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

const QString Command = QStringLiteral("create");

const char Help[] = R"(Usage: lumorra create -o OUT.gif [options] IMAGE...

Makes one looping GIF of the images, byte for byte as the images page of the window
does: every frame at the top-left corner of a canvas as wide as the widest image and as
tall as the tallest (at least 20 x 20).

Options:
  -o, --output OUT.gif  the GIF to write; a GIF already there is replaced only once
                        the new one is complete, one of the images or any other file
                        never
  --fps N               frames per second, a whole number from 1 to 50 (default 10);
                        each frame shows for 100/N hundredths of a second, rounded, and
                        at least 2
  --no-sort             keep the images in the order given; by default they are taken
                        in natural order (file2 before file10, case ignored)
  --smaller             the "Smaller file" kind of GIF: only what changes between the
                        pictures is stored, much smaller for screen recordings
  -q, --quiet           no progress bar (it is drawn only on a terminal)
  -h, --help            show this help

Every image must be readable: the first one that is not is named, and nothing is written.
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
int makeGif(const QStringList &images, const QString &outPath, const GifJobChoices &choices,
            bool quiet)
{
    const QFileInfo out(outPath);
    if (out.isDir())
        return fail(Command, QStringLiteral("cannot write %1: it is a folder").arg(outPath));
    if (!QFileInfo(out.absolutePath()).isDir())
        return fail(Command, QStringLiteral("cannot write %1: no folder %2")
                                 .arg(outPath, QDir::toNativeSeparators(out.absolutePath())));

    QList<FrameSource> frames;
    for (const QString &image : images) {
        QSize size;
        const QString problem = pictureProblem(image, &size);
        if (!problem.isEmpty())
            return fail(Command, problem);
        frames << FrameSource::fromFile(image, size);
    }

    GifCreaterThread creater;
    TerminalProgress progress(QStringLiteral("Creating ") + outPath,
                              !quiet && standardErrorIsTerminal());
    const GifJob job = makeGifJob(out.absoluteFilePath(), frames, choices);
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
    const QCommandLineOption quiet(QStringList{"q", "quiet"});
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOptions({output, fps, noSort, smaller, quiet, help});
    if (!parser.parse(arguments))
        return failUsage(Command, parser.errorText());
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
    QStringList images = parser.positionalArguments();
    if (images.isEmpty())
        return failUsage(Command, QStringLiteral("no images given"));
    if (createOutputRefused(Command, outPath, images))
        return ExitBadUsage;
    if (!parser.isSet(noSort))
        images = inNaturalOrder(images);
    GifJobChoices choices;
    choices.frameRate = frameRate;
    choices.encoding.smallerFile = parser.isSet(smaller);
    return makeGif(images, outPath, choices, parser.isSet(quiet));
}
