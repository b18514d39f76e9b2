// encode-video [--fps N] [--width W] MODE CLIP OUT.gif
// Makes the GIF of the whole clip as the video page does and prints the seconds it took,
// probe included. MODE is "tool" (ffmpeg's GIF with its fixed palette), "colours" (ffmpeg's
// GIF with "High quality colours") or a quality level from 1 to 100 for our encoder, which
// takes the frames ffmpeg decodes at any level, 100 included (the page hands level 100 to
// ffmpeg). Exits non-zero, with the reason, when no GIF was made.
#include "videotool/conversionlimits.h"
#include "videotool/videoconversion.h"
#include "videotool/videoframestream.h"
#include "videotool/videoprobe.h"
#include "videotool/videotoolcommand.h"
#include "workers/gifcreaterthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>

namespace {

// ffmpeg writes the GIF, as the page does at quality 100.
bool toolGif(const QString &clip, const VideoFacts &facts, const GifSettings &settings,
             const QString &gifPath)
{
    QProcess process;
    VideoConversion conversion(&process);
    QEventLoop loop;
    VideoConversion::Outcome outcome = VideoConversion::Outcome::ToolFailed;
    QObject::connect(&conversion, &VideoConversion::finished, &loop,
                     [&](VideoConversion::Outcome how) {
                         outcome = how;
                         loop.quit();
                     });
    if (!conversion.start(videoToolPath(QCoreApplication::applicationDirPath()), clip, facts, settings, gifPath))
        return false;
    loop.exec();
    return outcome == VideoConversion::Outcome::Completed;
}

// Our encoder writes the GIF of the frames ffmpeg decodes, as the page does below 100.
bool encodedGif(const QString &clip, const VideoFacts &facts, GifSettings settings,
                const QString &gifPath)
{
    const QSize size = gifSizeFor(settings.width, settings.height, facts.size);
    settings.width = size.width();
    settings.height = size.height();
    auto stream = std::make_shared<VideoFrameStream>(
        videoToolPath(QCoreApplication::applicationDirPath()), settings, clip, 0);
    GifJobChoices choices;
    choices.frameRate = settings.frameRate;
    choices.encoding.quality = settings.quality;
    GifCreaterThread creater;
    creater.startJob(makeStreamGifJob(gifPath, stream, size, choices));
    creater.wait();
    return creater.outcome == JobOutcome::Completed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    GifSettings settings;
    while (arguments.size() > 3 && arguments.first().startsWith(QLatin1String("--"))) {
        const int value = arguments.at(1).toInt();
        if (arguments.first() == QLatin1String("--fps"))
            settings.frameRate = value;
        else if (arguments.first() == QLatin1String("--width"))
            settings.width = value;
        arguments = arguments.mid(2);
    }
    bool isLevel = false;
    settings.quality = arguments.value(0).toInt(&isLevel);
    const bool byTool = arguments.value(0) == QLatin1String("tool")
                        || arguments.value(0) == QLatin1String("colours");
    if (arguments.size() != 3 || (!byTool && (!isLevel || settings.quality < 1 || settings.quality > 100))) {
        fprintf(stderr, "usage: encode-video [--fps N] [--width W] tool|colours|1-100 CLIP OUT.gif\n");
        return 2;
    }
    settings.paletteFromClip = arguments.at(0) == QLatin1String("colours");
    if (byTool)
        settings.quality = 100;

    QElapsedTimer timer;
    timer.start();
    const VideoFacts facts = probeVideo(videoToolPath(QCoreApplication::applicationDirPath(), QStringLiteral("ffprobe")),
                                        arguments.at(1));
    if (facts.kind != VideoFacts::Video) {
        fprintf(stderr, "%s: not a video\n", qPrintable(arguments.at(1)));
        return 1;
    }
    const bool made = byTool ? toolGif(arguments.at(1), facts, settings, arguments.at(2))
                             : encodedGif(arguments.at(1), facts, settings, arguments.at(2));
    if (!made) {
        fprintf(stderr, "%s: no GIF made\n", qPrintable(arguments.at(2)));
        return 1;
    }
    printf("%.2f\n", timer.elapsed() / 1000.0);
    return 0;
}
