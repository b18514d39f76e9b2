#include "cli/videocommand.h"

#include "cli/commandoutput.h"
#include "cli/interruptwatch.h"
#include "cli/numberoption.h"
#include "cli/terminalprogress.h"
#include "rules/framedelay.h"
#include "videotool/conversionlimits.h"
#include "videotool/videoconversion.h"
#include "videotool/videotimetext.h"
#include "videotool/videotoolcommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>

namespace {

const QString Command = QStringLiteral("video");

const char Help[] = R"(Usage: lumorra video CLIP -o OUT.gif [options]

Makes one looping GIF of a video clip, as the video page of the window does. ffmpeg
decodes the clip; at quality 100 without a size limit ffmpeg also writes the GIF, with
its fixed palette; otherwise our own encoder writes it, with a palette for every frame.

Options:
  -o, --output OUT.gif  the GIF to write; a file already there is replaced only once
                        the new one is complete
  --start T             where to start in the clip: seconds with up to three decimals
                        ("90", "2.5"), "m:s" or "h:m:s" ("1:30", "0:01:30.5");
                        0 by default, and before the clip's end
  --duration D          how many seconds to take, up to 10000 with up to two decimals;
                        0 (the default) takes the clip to its end
  --width W             the GIF's width in pixels, up to 4096
  --height H            the GIF's height in pixels, up to 4096; with only one of the
                        two the clip's proportions are kept, with neither its size
  --fps N               frames per second, a whole number from 1 to 50 (default 15)
  --quality Q           1 to 100 (default 100): below 100 our encoder writes the GIF
  --max-size SIZE       the GIF is never larger: SIZE in bytes, or with K (1 000
                        bytes) or M (1 000 000 bytes), as in 10M. The quality level is
                        lowered first, then the size, then the frame rate (the length
                        kept); a limit not met even then writes nothing (status 1)
  -q, --quiet           no progress bar (it is drawn only on a terminal)
  -h, --help            show this help

ffmpeg and ffprobe are run from the program's folder when they are there, else from
the PATH.
Exit status: 0 done, 1 failed, 2 bad options, 130 interrupted.
)";

QString outcomeProblem(VideoConversion::Outcome outcome, const QString &clip,
                       const QString &outPath)
{
    switch (outcome) {
    case VideoConversion::Outcome::ToolFailed:
        return QStringLiteral("ffmpeg could not convert %1: %2 not written").arg(clip, outPath);
    case VideoConversion::Outcome::NoFrames:
        return QStringLiteral("%1 has no frames in the part asked for: %2 not written")
            .arg(clip, outPath);
    case VideoConversion::Outcome::ToolNotStarted:
        return QStringLiteral("ffmpeg could not be started: %1 not written").arg(outPath);
    default:
        return QStringLiteral("cannot write %1").arg(outPath);
    }
}

// Converts the clip, already probed, to outPath. Returns the exit status.
int convert(const QString &clip, const VideoFacts &facts, const GifSettings &settings,
            const QString &outPath, bool quiet)
{
    QProcess process;
    VideoConversion conversion(&process);
    TerminalProgress progress(QStringLiteral("Creating ") + outPath,
                              !quiet && standardErrorIsTerminal());
    QEventLoop loop;
    VideoConversion::Outcome outcome = VideoConversion::Outcome::Completed;
    QObject::connect(&conversion, &VideoConversion::updateprogress, &loop,
                     [&progress](int value) { progress.show(value); });
    QObject::connect(&conversion, &VideoConversion::finished, &loop,
                     [&](VideoConversion::Outcome how) {
                         outcome = how;
                         loop.quit();
                     });
    const InterruptWatch interrupt([&] {
        conversion.cancel();
        loop.quit();
    });
    QString reason;
    const QString ffmpeg = videoToolPath(QCoreApplication::applicationDirPath());
    if (!conversion.start(ffmpeg, clip, facts, settings, outPath, &reason))
        return fail(Command, QStringLiteral("cannot write %1: %2").arg(outPath, reason));
    progress.show(qMax(0, conversion.progress()));
    loop.exec();
    progress.finish();
    if (interrupt.signalArrived()) {
        conversion.cancel();
        return fail(Command, QStringLiteral("interrupted, %1 not written").arg(outPath),
                    ExitInterrupted);
    }
    if (outcome == VideoConversion::Outcome::Completed)
        return ExitSucceeded;
    if (outcome == VideoConversion::Outcome::CannotFit)
        return fail(Command, cannotFitProblem(outPath, settings.maxBytes, conversion.smallestBytes()));
    return fail(Command, outcomeProblem(outcome, clip, outPath));
}

} // namespace

int runVideoCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringList{"o", "output"}, QString(), "OUT.gif");
    const QCommandLineOption start("start", QString(), "T", "0");
    const QCommandLineOption duration("duration", QString(), "D", "0");
    const QCommandLineOption width("width", QString(), "W", "0");
    const QCommandLineOption height("height", QString(), "H", "0");
    const QCommandLineOption fps("fps", QString(), "N", "15");
    const QCommandLineOption quality("quality", QString(), "Q", "100");
    const QCommandLineOption maxSize("max-size", QString(), "SIZE");
    const QCommandLineOption quiet(QStringList{"q", "quiet"});
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOptions({output, start, duration, width, height, fps, quality, maxSize, quiet, help});
    if (!parser.parse(arguments))
        return failParse(Command, parser, arguments);
    if (parser.isSet(help)) {
        printOut(QString::fromUtf8(Help));
        return ExitSucceeded;
    }
    const QStringList clips = parser.positionalArguments();
    if (clips.size() != 1)
        return failUsage(Command, clips.isEmpty() ? QStringLiteral("no clip given")
                                                  : QStringLiteral("one clip at a time"));
    const QString outPath = parser.value(output);
    if (outPath.isEmpty())
        return failUsage(Command, QStringLiteral("no GIF to write: give one with -o OUT.gif"));

    GifSettings settings;
    QString problem;
    if (!startTextToMs(parser.value(start), &settings.startMs))
        return failUsage(Command, QStringLiteral("--start takes seconds, m:s or h:m:s, not '%1'")
                                      .arg(parser.value(start)));
    if (!durationTextToMs(parser.value(duration), &settings.durationMs))
        return failUsage(Command, QStringLiteral("--duration takes seconds from 0 to 10000 with "
                                                 "at most two decimals, not '%1'")
                                      .arg(parser.value(duration)));
    if (!wholeNumber(parser, width, 0, MaxVideoGifSide, &settings.width, &problem)
        || !wholeNumber(parser, height, 0, MaxVideoGifSide, &settings.height, &problem)
        || !wholeNumber(parser, fps, MinFrameRate, MaxFrameRate, &settings.frameRate, &problem)
        || !wholeNumber(parser, quality, 1, 100, &settings.quality, &problem))
        return failUsage(Command, problem);
    if (!sizeLimit(parser, maxSize, &settings.maxBytes, &problem))
        return failUsage(Command, problem);

    const QString clip = clips.first();
    const QString unreadable = readProblem(clip);
    if (!unreadable.isEmpty())
        return fail(Command, unreadable);
    const QString unwritable = writeProblem(outPath);
    if (!unwritable.isEmpty())
        return fail(Command, unwritable);
    const VideoFacts facts =
        probeVideo(videoToolPath(QCoreApplication::applicationDirPath(), "ffprobe"), clip);
    if (facts.kind == VideoFacts::Unknown)
        return fail(Command, QStringLiteral("cannot read %1: ffprobe could not be run").arg(clip));
    if (facts.kind == VideoFacts::NotVideo)
        return fail(Command, QStringLiteral("cannot read %1: not a video").arg(clip));
    if (conversionProblem(settings, facts) == ConversionProblem::StartPastEnd)
        return fail(Command, QStringLiteral("--start %1 is past the end of %2, which lasts %3 s")
                                 .arg(parser.value(start), clip,
                                      secondsTextFromMs(facts.durationMs)));
    return convert(clip, facts, settings, outPath, parser.isSet(quiet));
}
