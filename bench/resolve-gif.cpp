// resolve-gif IN.gif OUTDIR
// Splits a GIF into numbered PNG files exactly as the extraction job does and prints the time.
#include "workers/parsegifthread.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <atomic>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        fprintf(stderr, "usage: resolve-gif IN.gif OUTDIR\n");
        return 2;
    }
    if (!QDir().mkpath(arguments.at(2))) {
        fprintf(stderr, "cannot create %s\n", qPrintable(arguments.at(2)));
        return 1;
    }

    ParseGifThread parser;
    parser.gifFilePath = arguments.at(1);
    parser.pngFolder = QDir(arguments.at(2)).absolutePath();
    std::atomic<int> frames{0};
    QObject::connect(&parser, &ParseGifThread::updateprogress, &parser,
                     [&frames] { frames++; }, Qt::DirectConnection);

    QElapsedTimer timer;
    timer.start();
    parser.start(QThread::InheritPriority);
    parser.wait();
    const double seconds = timer.nsecsElapsed() / 1e9;

    printf("frames: %d\n", int(frames));
    printf("resolve: %.3f s\n", seconds);
    if (frames == 0) {
        fprintf(stderr, "no frame could be read from %s\n", qPrintable(parser.gifFilePath));
        return 1;
    }
    return 0;
}
