// estimate-size [--levels N,...] FOLDER...
// Checks the size the images page shows before Create: for each folder's pictures (in name
// order, as bench/make-sequences.sh makes them) and each quality level (100,70,40 by
// default), the estimate from a sample of the frames against the GIF the job then writes.
// Prints a row per level: the estimate, the real bytes, estimate / real, the seconds of
// each, and MISSED where the estimate is more than 15 % off. Exits 1 when one was.
#include "bench/sequencepictures.h"
#include "workers/gifcreaterthread.h"
#include "workers/sizefitter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    QList<int> levels = {100, 70, 40};
    if (arguments.size() > 1 && arguments.first() == "--levels") {
        arguments.removeFirst();
        levels.clear();
        for (const QString &level : arguments.takeFirst().split(','))
            levels << level.toInt();
    }
    if (arguments.isEmpty() || levels.contains(0)) {
        fprintf(stderr, "usage: estimate-size [--levels N,...] FOLDER...\n");
        return 2;
    }
    QCoreApplication::setLibraryPaths(QStringList()); // PNG needs no plugin
    const QTemporaryDir out;
    bool allMet = true;
    printf("%-8s %5s %10s %10s %6s %6s %6s %s\n", "sequence", "level", "estimate", "bytes",
           "ratio", "est s", "job s", "missed");
    for (const QString &folder : qAsConst(arguments)) {
        const QString name = QFileInfo(folder).fileName();
        const QList<FrameSource> sources = sequencePictures(folder);
        for (const int level : qAsConst(levels)) {
            GifJobChoices choices;
            choices.encoding.quality = level;
            const GifJob job = makeGifJob(out.filePath(name + ".gif"), sources, choices);
            QElapsedTimer timer;
            timer.start();
            SizeFitter fitter(job, [] { return false; }, [](int) {});
            qint64 estimate = 0;
            const bool estimated = fitter.estimateAsItIs(&estimate);
            const double estimateSeconds = timer.nsecsElapsed() / 1e9;
            timer.restart();
            GifCreaterThread creater;
            creater.startJob(job);
            creater.wait();
            const double jobSeconds = timer.nsecsElapsed() / 1e9;
            const qint64 bytes = QFileInfo(job.gifFilePath).size();
            if (!estimated || creater.outcome != JobOutcome::Completed || bytes <= 0) {
                fprintf(stderr, "cannot make %s at level %d\n", qPrintable(name), level);
                return 1;
            }
            const double ratio = double(estimate) / bytes;
            const bool met = ratio >= 0.85 && ratio <= 1.15;
            allMet = allMet && met;
            printf("%-8s %5d %10lld %10lld %6.3f %6.2f %6.2f %s\n", qPrintable(name), level,
                   estimate, bytes, ratio, estimateSeconds, jobSeconds, met ? "" : "MISSED");
            fflush(stdout);
        }
    }
    return allMet ? 0 : 1;
}
