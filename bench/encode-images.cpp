// encode-images [--reference | --in-memory] [--smaller] [--quality N] OUT.gif IMAGE...
// Makes one GIF of the images exactly as the Create GIF job does and prints the times.
// "load:" checks every file's header as a command line would: files that cannot become a
// frame (unreadable, larger than 65535 a side or 100 megapixels) are skipped with a
// message. "encode:" is the job: the worker reads each file when it reaches it, decoding
// ahead of the encoder, so the whole process decodes every file once, as ffmpeg does.
// With --in-memory the frames are decoded into memory during "load:" (on every core) and
// the job encodes them from there, so that "encode:" is the encoding alone. --reference
// does the same with the straightforward encoder that the tests keep as the reference, on
// one thread, so that the speed-up can be measured in one run. --smaller writes the
// "Smaller file" kind of GIF; --quality N is the quality level (1 to 100, 100 by default).
// Exits non-zero, leaving no GIF, when no image is readable or one cannot be read when the
// job reaches it.
#include "support/referenceencoder.h"
#include "workers/framefile.h"
#include "workers/gifcreaterthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {

// Runs work(i) for every index on all cores.
void onEveryCore(int count, const std::function<void(int)> &work)
{
    std::atomic<int> next{0};
    auto worker = [&] {
        for (int i = next++; i < count; i = next++)
            work(i);
    };
    const int threads =
        std::max(1, std::min(int(std::thread::hardware_concurrency()), count));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(worker);
    worker();
    for (std::thread &helper : helpers)
        helper.join();
}

// True when Qt reads every file with a reader of its own. Then the image plugins, and the
// libraries they pull in, need not be loaded: the reader loads them all to ask each whether
// it knows the file, which takes longer than decoding a short sequence.
bool builtInFormatsOnly(const QStringList &paths)
{
    static const QStringList builtIn = {"png", "bmp", "ppm", "pgm", "pbm", "xbm", "xpm"};
    for (const QString &path : paths) {
        if (!builtIn.contains(QFileInfo(path).suffix().toLower()))
            return false;
    }
    return true;
}

bool encodeWithReference(const QString &path, const QVector<QImage> &frames,
                         const QSize &canvas, int delay)
{
    const QByteArray gif = reference::encodeGif(frames, canvas, delay);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size() && file.flush();
}

bool encodeWithWorker(const GifJob &job)
{
    GifCreaterThread creater;
    creater.startJob(job);
    creater.wait();
    if (creater.outcome == JobOutcome::Unreadable)
        fprintf(stderr, "cannot read %s\n", qPrintable(creater.unreadableFile));
    return creater.outcome == JobOutcome::Completed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    QStringList options;
    int quality = 100;
    bool qualityGiven = false;
    bool qualityValid = true;
    while (!arguments.isEmpty() && arguments.first().startsWith("--")) {
        const QString option = arguments.takeFirst();
        if (option != "--quality") {
            options << option;
            continue;
        }
        qualityGiven = true;
        quality = arguments.isEmpty() ? 0 : arguments.takeFirst().toInt(&qualityValid);
        qualityValid = qualityValid && quality >= 1 && quality <= 100;
    }
    const bool useReference = options.removeAll("--reference") > 0;
    const bool inMemory = useReference || options.removeAll("--in-memory") > 0;
    const bool smallerFile = options.removeAll("--smaller") > 0;
    if (arguments.size() < 2 || !options.isEmpty() || !qualityValid
        || (useReference && (smallerFile || qualityGiven))) {
        fprintf(stderr, "usage: encode-images [--reference | --in-memory] [--smaller] "
                        "[--quality N] OUT.gif IMAGE...\n");
        return 2;
    }
    const QString outPath = arguments.takeFirst();
    if (builtInFormatsOnly(arguments))
        QCoreApplication::setLibraryPaths(QStringList());

    QElapsedTimer timer;
    timer.start();
    QVector<QSize> sizes(arguments.size());
    QVector<QImage> frames(inMemory ? arguments.size() : 0);
    onEveryCore(arguments.size(), [&](int i) {
        if (inMemory) {
            frames[i] = readFrameFile(arguments.at(i));
            sizes[i] = frames.at(i).size();
        } else {
            QImageReader reader(arguments.at(i));
            sizes[i] = pictureFrameSize(&reader);
        }
    });
    double megapixels = 0;
    QList<FrameSource> sources;
    for (int i = 0; i < arguments.size(); ++i) {
        if (sizes.at(i).isEmpty()) {
            fprintf(stderr, "skipped unreadable image %s\n", qPrintable(arguments.at(i)));
            continue;
        }
        // Frames come from memory when they were decoded during "load:", else from the files.
        sources << (inMemory ? FrameSource::fromImage(frames.at(i))
                             : FrameSource::fromFile(arguments.at(i), sizes.at(i)));
        megapixels += double(sizes.at(i).width()) * sizes.at(i).height() / 1e6;
    }
    frames.removeAll(QImage());
    GifJobChoices choices;
    choices.encoding.smallerFile = smallerFile;
    choices.encoding.quality = quality;
    const GifJob job = makeGifJob(outPath, sources, choices);
    const QSize canvas = job.canvas;
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    if (sources.isEmpty()) {
        fprintf(stderr, "no readable image: %s not written\n", qPrintable(outPath));
        return 1;
    }

    timer.restart();
    const bool written =
        useReference ? encodeWithReference(outPath, frames, canvas, job.delay)
                     : encodeWithWorker(job);
    const double encodeSeconds = timer.nsecsElapsed() / 1e9;

    printf("encoder: %s%s, quality %d\n",
           useReference ? "reference" : (smallerFile ? "ours, smaller file" : "ours"),
           inMemory ? ", frames in memory" : "", quality);
    printf("frames: %d, canvas %d x %d\n", int(sources.size()), canvas.width(),
           canvas.height());
    printf("load: %.3f s\n", loadSeconds);
    printf("encode: %.3f s\n", encodeSeconds);
    printf("encode speed: %.2f megapixels/s\n", megapixels / encodeSeconds);
    if (!written) {
        QFile::remove(outPath);
        fprintf(stderr, "failed to write %s\n", qPrintable(outPath));
        return 1;
    }
    return 0;
}
