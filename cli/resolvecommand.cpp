#include "cli/resolvecommand.h"

#include "cli/commandjob.h"
#include "cli/commandoutput.h"
#include "cli/timingfile.h"
#include "workers/framesfolder.h"
#include "workers/giflayout.h"
#include "workers/parsegifthread.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

const QString Command = QStringLiteral("resolve");

const char Help[] = R"(Usage: lumorra resolve IN.gif [-o DIR] [--timing] [--quiet]

Writes every frame of the GIF as a numbered PNG file (1.png, 2.png, ...), as Resolve GIF
does in the window.

Options:
  -o, --output DIR  the folder for the frames: a new one (its parent must exist) or an
                    empty one. Without it, a folder named after the GIF, beside it;
                    when that name is taken by anything but an empty folder, the next
                    free one with "_2", "_3", ... as in the window
  --timing          also write timing.txt beside the frames: 'loop forever' or
                    'loop N' (the GIF plays N times), then one line a frame, its file
                    and its delay in hundredths of a second ('1.png 10'; a delay of 0
                    or 1 is written as 10, as viewers show it). 'lumorra create
                    --timing DIR/timing.txt -o OUT.gif' makes the GIF again
  -q, --quiet       no progress bar (it is drawn only on a terminal)
  -h, --help        show this help

A damaged GIF keeps the frames before the damage as whole PNG files and ends with
status 1, saying how many they are. When the frames cannot be written, or the run is
interrupted, the frames of the run are removed again.
Exit status: 0 done, 1 failed, 2 bad options, 130 interrupted.
)";

// Where the frames go, or empty with *problem set when that cannot be.
QString framesFolder(const QString &gifPath, const QString &chosen, QString *problem)
{
    if (chosen.isEmpty())
        return newFramesFolder(QFileInfo(gifPath).absolutePath(), gifPath);
    const QFileInfo folder(chosen);
    const QString parent = QFileInfo(folder.absoluteFilePath()).absolutePath();
    if (folder.exists() && !folder.isDir())
        *problem = QStringLiteral("cannot write into %1: it is not a folder").arg(chosen);
    else if (folder.exists() && !isEmptyFolder(chosen))
        *problem = QStringLiteral("%1 is not empty: give a new or empty folder").arg(chosen);
    else if (!folder.exists() && !QFileInfo(parent).isDir())
        *problem = QStringLiteral("cannot make %1: no folder %2")
                       .arg(chosen, QDir::toNativeSeparators(parent));
    return problem->isEmpty() ? QDir::cleanPath(folder.absoluteFilePath()) : QString();
}

// The timing of the GIF's first frames frames, as viewers play them.
TimingFile timingOf(const QString &gifPath, int frames)
{
    const GifLayout layout = readGifLayout(gifPath);
    TimingFile timing;
    // Without the extension viewers play a GIF once; with n repeats, n + 1 times.
    timing.playCount = layout.loopCount < 0 ? 1 : layout.loopCount == 0 ? 0 : layout.loopCount + 1;
    for (int i = 0; i < frames; ++i) {
        const int delay = layout.delays.value(i);
        timing.pictures << QString::number(i + 1) + QStringLiteral(".png");
        timing.delays << (delay < 2 ? 10 : delay);
    }
    return timing;
}

QString framesText(int count)
{
    return count == 1 ? QStringLiteral("1 frame") : QStringLiteral("%1 frames").arg(count);
}

} // namespace

int runResolveCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringList{"o", "output"}, QString(), "DIR");
    const QCommandLineOption quiet(QStringList{"q", "quiet"});
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption timing("timing");
    parser.addOptions({output, quiet, help, timing});
    if (!parser.parse(arguments))
        return failParse(Command, parser, arguments);
    if (parser.isSet(help)) {
        printOut(QString::fromUtf8(Help));
        return ExitSucceeded;
    }
    const QStringList gifs = parser.positionalArguments();
    if (gifs.size() != 1)
        return failUsage(Command, gifs.isEmpty() ? QStringLiteral("no GIF given")
                                                 : QStringLiteral("one GIF at a time"));
    const QString gifPath = gifs.first();
    const QString unreadable = readProblem(gifPath);
    if (!unreadable.isEmpty())
        return fail(Command, unreadable);
    if (!startsLikeGif(gifPath))
        return fail(Command, QStringLiteral("%1 is not a GIF file").arg(gifPath));
    QString problem;
    const QString folder = framesFolder(gifPath, parser.value(output), &problem);
    if (!problem.isEmpty())
        return fail(Command, problem);

    ParseGifThread resolver;
    resolver.gifFilePath = gifPath;
    resolver.pngFolder = folder;
    TerminalProgress progress(QStringLiteral("Writing frames to ")
                                  + QDir::current().relativeFilePath(folder) + QLatin1Char('/'),
                              !parser.isSet(quiet) && standardErrorIsTerminal());
    runCommandJob(&resolver, &progress, [&] { resolver.start(QThread::InheritPriority); });

    const QString shownFolder = QDir::toNativeSeparators(folder);
    const QString timingPath = folder + QStringLiteral("/timing.txt");
    switch (resolver.outcome) {
    case JobOutcome::Completed:
        if (parser.isSet(timing)
            && !writeTimingFile(timingPath, timingOf(gifPath, resolver.framesKept)))
            return fail(Command, QStringLiteral("cannot write %1")
                                     .arg(QDir::toNativeSeparators(timingPath)));
        return ExitSucceeded;
    case JobOutcome::NotAGif:
    case JobOutcome::Unreadable:
        return fail(Command, QStringLiteral("%1 is not a GIF file").arg(gifPath));
    case JobOutcome::TooLarge:
        return fail(Command, QStringLiteral("%1 is too large: its canvas or all its frames "
                                            "together would take too much memory and disk")
                                 .arg(gifPath));
    case JobOutcome::Damaged:
        if (resolver.framesKept == 0)
            return fail(Command, QStringLiteral("%1 is damaged: no frame could be read").arg(gifPath));
        return fail(Command, QStringLiteral("%1 is damaged: %2 before the damage written to %3")
                                 .arg(gifPath, framesText(resolver.framesKept), shownFolder));
    case JobOutcome::WriteFailed:
        // An incomplete set of frames would pass for the whole GIF; a new run starts clean.
        resolver.removeKeptFrames();
        return fail(Command, QStringLiteral("cannot write the frames into %1").arg(shownFolder));
    case JobOutcome::Stopped:
    case JobOutcome::CannotFit: // only a creation job has a size limit
        break;
    }
    return fail(Command, QStringLiteral("interrupted, the frames of the run removed"),
                ExitInterrupted);
}
