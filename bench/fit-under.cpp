// fit-under [--limits SIZE,...] [--shares N,...] [--runs N] FOLDER...
// Makes the GIF of each folder's pictures (in name order, as bench/make-sequences.sh makes
// them) as the Create GIF job does, first without a limit, then under each limit: SIZEs in
// bytes or with K (1 000) or M (1 000 000), 1M,2M,5M,10M by default, and a share 1/N of the
// unlimited size for each N, 4,10,20 by default. Prints a row per limit: the unlimited bytes
// and seconds (the median of --runs runs, 3 by default), the bytes under the limit, bytes /
// limit, seconds / unlimited seconds, the quality level (the mean over the frames), scale
// and frames the job chose, and what missed its target: OVER (larger than the limit), LOW
// (below 85 % of a limit the unlimited GIF passes), SLOW (more than 3 times the unlimited
// job), CHANGED (a limit the GIF fits under, yet not the unlimited GIF). Exits 1 when a
// target was missed.
#include "bench/sequencepictures.h"
#include "rules/sizetext.h"
#include "workers/gifcreaterthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

struct Limit
{
    qint64 bytes = 0; // 0: a share of the unlimited size
    int share = 0;
};

// Runs the job; its seconds, or -1 when it did not complete (the outcome tells).
double runJob(const GifJob &job, GifCreaterThread *creater)
{
    QElapsedTimer timer;
    timer.start();
    creater->startJob(job);
    creater->wait();
    return creater->outcome == JobOutcome::Completed ? timer.nsecsElapsed() / 1e9 : -1;
}

bool parseList(const QString &text, bool sizes, QList<Limit> *limits)
{
    for (const QString &item : text.split(',', Qt::SkipEmptyParts)) {
        Limit limit;
        if (sizes)
            sizeTextToBytes(item, &limit.bytes);
        else
            limit.share = item.toInt();
        if (limit.bytes <= 0 && limit.share <= 0)
            return false;
        *limits << limit;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    QString sizes = "1M,2M,5M,10M";
    QString shares = "4,10,20";
    int runs = 3;
    bool valid = true;
    while (valid && !arguments.isEmpty() && arguments.first().startsWith("--")) {
        const QString option = arguments.takeFirst();
        const QString value = arguments.isEmpty() ? QString() : arguments.takeFirst();
        if (option == "--limits")
            sizes = value;
        else if (option == "--shares")
            shares = value;
        else if (option == "--runs")
            runs = value.toInt(&valid);
        else
            valid = false;
    }
    QList<Limit> limits;
    if (!valid || runs < 1 || arguments.isEmpty() || !parseList(sizes, true, &limits)
        || !parseList(shares, false, &limits)) {
        fprintf(stderr, "usage: fit-under [--limits SIZE,...] [--shares N,...] [--runs N] "
                        "FOLDER...\n");
        return 2;
    }
    QCoreApplication::setLibraryPaths(QStringList()); // PNG needs no plugin
    const QTemporaryDir out;
    bool allMet = true;
    printf("%-8s %-9s %10s %7s %10s %6s %6s %4s %6s %7s %s\n", "sequence", "limit",
           "unlimited", "s", "bytes", "/limit", "time", "q", "scale", "frames", "missed");
    for (const QString &folder : qAsConst(arguments)) {
        const QString name = QFileInfo(folder).fileName();
        const QList<FrameSource> sources = sequencePictures(folder);
        if (sources.isEmpty()) {
            fprintf(stderr, "no pictures in %s\n", qPrintable(folder));
            return 2;
        }
        GifJob job = makeGifJob(out.filePath(name + ".gif"), sources, GifJobChoices());
        GifCreaterThread creater;
        QVector<double> times;
        for (int run = 0; run < runs; ++run)
            times << runJob(job, &creater);
        std::sort(times.begin(), times.end());
        const double unlimitedSeconds = times.at(runs / 2);
        const qint64 unlimitedBytes = QFileInfo(job.gifFilePath).size();
        if (times.first() < 0) {
            fprintf(stderr, "cannot make %s\n", qPrintable(job.gifFilePath));
            return 1;
        }
        for (const Limit &limit : limits) {
            const qint64 bytes = limit.bytes > 0 ? limit.bytes : unlimitedBytes / limit.share;
            GifJob limited = job;
            limited.gifFilePath = out.filePath(QStringLiteral("%1-%2.gif").arg(name).arg(bytes));
            limited.choices.maxBytes = bytes;
            const double seconds = runJob(limited, &creater);
            const qint64 made = seconds < 0 ? 0 : QFileInfo(limited.gifFilePath).size();
            const double time = (seconds < 0 ? 0 : seconds) / unlimitedSeconds;
            QStringList missed;
            if (made > bytes)
                missed << "OVER";
            if (unlimitedBytes > bytes && made < 0.85 * bytes)
                missed << "LOW";
            if (unlimitedBytes <= bytes && made != unlimitedBytes)
                missed << "CHANGED";
            if (time > 3)
                missed << "SLOW";
            if (seconds < 0)
                missed.prepend(creater.outcome == JobOutcome::CannotFit ? "cannot-fit"
                                                                          : "failed");
            allMet = allMet && (missed.isEmpty() || missed == QStringList("cannot-fit"));
            const FitSetting &setting = creater.fitSetting;
            const QString label = limit.bytes > 0 ? bytesToSizeText(bytes)
                                                  : QStringLiteral("1/%1").arg(limit.share);
            printf("%-8s %-9s %10lld %7.3f %10lld %6.3f %6.2f %4d %6.3f %7s %s\n",
                   qPrintable(name), qPrintable(label), unlimitedBytes, unlimitedSeconds, made,
                   double(made) / bytes, time, setting.quality, setting.scale,
                   qPrintable(QStringLiteral("%1/%2")
                                  .arg(setting.kept > 0 ? setting.kept : sources.size())
                                  .arg(sources.size())),
                   qPrintable(missed.join(' ')));
            fflush(stdout);
        }
    }
    return allMet ? 0 : 1;
}
