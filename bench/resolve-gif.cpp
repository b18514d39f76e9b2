// resolve-gif [--stop-after SECONDS] IN.gif OUTDIR
// Splits a GIF into numbered PNG files exactly as the extraction job does and prints the
// time. A GIF that cannot be resolved whole is named with the reason on standard error, the
// files of the run are removed, and the exit status is 1. With --stop-after the job is asked
// to stop after that many seconds, and the time the stop took is printed.
#include "workers/parsegifthread.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

namespace {

QString failureOf(const ParseGifThread &parser)
{
    switch (parser.outcome) {
    case JobOutcome::NotAGif:
        return QStringLiteral("not a GIF");
    case JobOutcome::TooLarge:
        return QStringLiteral("too large to resolve");
    case JobOutcome::Damaged:
        return QStringLiteral("damaged after %1 frames").arg(parser.framesKept);
    case JobOutcome::WriteFailed:
        return QStringLiteral("frame %1 cannot be saved in %2")
            .arg(parser.framesKept + 1)
            .arg(parser.pngFolder);
    default:
        return QString();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    double stopAfter = -1;
    if (arguments.size() == 4 && arguments.at(0) == QLatin1String("--stop-after")) {
        stopAfter = arguments.at(1).toDouble();
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 2) {
        fprintf(stderr, "usage: resolve-gif [--stop-after SECONDS] IN.gif OUTDIR\n");
        return 2;
    }

    ParseGifThread parser;
    parser.gifFilePath = arguments.at(0);
    parser.pngFolder = QDir(arguments.at(1)).absolutePath();

    QElapsedTimer timer;
    timer.start();
    parser.start(QThread::InheritPriority);
    if (stopAfter >= 0 && !parser.wait(qRound(stopAfter * 1000))) {
        QElapsedTimer stopping;
        stopping.start();
        parser.requestStop();
        parser.wait();
        printf("stop: %.3f s\n", stopping.nsecsElapsed() / 1e9);
    }
    parser.wait();
    const double seconds = timer.nsecsElapsed() / 1e9;

    const QString failure = failureOf(parser);
    if (!failure.isEmpty()) {
        fprintf(stderr, "%s: %s\n", qPrintable(parser.gifFilePath), qPrintable(failure));
        parser.removeKeptFrames();
        return 1;
    }
    printf("frames: %d\n", parser.framesKept);
    printf("resolve: %.3f s\n", seconds);
    return 0;
}
