// encode-images OUT.gif IMAGE...
// Encodes the images into one GIF exactly as the creation job does and prints the times.
// The images are decoded on every core first. With --reference before OUT.gif, the
// straightforward encoder that the tests keep as the reference writes the file instead,
// on one thread, so that the speed-up can be measured in one run.
#include "support/referenceencoder.h"
#include "workers/gifcreaterthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Decodes every file into RGBA, the form the encoder takes, on all cores. The decoded
// image is converted where it lies: a second copy costs as much again in fresh pages.
QVector<QImage> decodeAll(const QStringList &paths)
{
    QVector<QImage> images(paths.size());
    std::atomic<int> next{0};
    auto decode = [&] {
        for (int i = next++; i < paths.size(); i = next++) {
            QImage decoded(paths.at(i));
            images[i] = std::move(decoded).convertToFormat(QImage::Format_RGBA8888);
        }
    };
    const int threads = std::max(1, std::min(int(std::thread::hardware_concurrency()),
                                              int(paths.size())));
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(decode);
    decode();
    for (std::thread &worker : workers)
        worker.join();
    return images;
}

bool encodeWithReference(const QString &path, const QVector<QImage> &images, int width,
                         int height, int delay)
{
    reference::GifFileState state = reference::openGifStream(
        QFile::encodeName(path).constData(), width, height, delay);
    reference::GifEncoder encoder;
    for (const QImage &image : images)
        encoder.encodeFrame(&state, image.constBits(), image.width(), image.height(), delay, 8);
    return reference::closeGifStream(&state);
}

bool encodeWithWorker(const QString &path, const QVector<QImage> &images, int width,
                      int height, int delay)
{
    GifCreaterThread creater;
    creater.gifFilePath = path;
    creater.delay = delay;
    for (const QImage &image : images)
        creater.addImage(image);
    creater.setGifSize(width, height);
    creater.start(QThread::InheritPriority);
    creater.wait();
    return creater.succeeded;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const bool useReference = !arguments.isEmpty() && arguments.first() == "--reference";
    if (useReference)
        arguments.removeFirst();
    if (arguments.size() < 2) {
        fprintf(stderr, "usage: encode-images [--reference] OUT.gif IMAGE...\n");
        return 2;
    }
    const QString outPath = arguments.takeFirst();

    QElapsedTimer timer;
    timer.start();
    QVector<QImage> images = decodeAll(arguments);
    int width = 20;
    int height = 20;
    double megapixels = 0;
    for (int i = images.size() - 1; i >= 0; --i) {
        if (images.at(i).isNull()) {
            fprintf(stderr, "skipped unreadable image %s\n", qPrintable(arguments.at(i)));
            images.remove(i);
            continue;
        }
        width = qMax(width, images.at(i).width());
        height = qMax(height, images.at(i).height());
        megapixels += double(images.at(i).width()) * images.at(i).height() / 1e6;
    }
    const double loadSeconds = timer.nsecsElapsed() / 1e9;

    timer.restart();
    const bool written = useReference ? encodeWithReference(outPath, images, width, height, 10)
                                      : encodeWithWorker(outPath, images, width, height, 10);
    const double encodeSeconds = timer.nsecsElapsed() / 1e9;

    printf("encoder: %s\n", useReference ? "reference" : "ours");
    printf("frames: %d, canvas %d x %d\n", int(images.size()), width, height);
    printf("load: %.3f s\n", loadSeconds);
    printf("encode: %.3f s\n", encodeSeconds);
    printf("encode speed: %.2f megapixels/s\n", megapixels / encodeSeconds);
    if (!written) {
        fprintf(stderr, "failed to write %s\n", qPrintable(outPath));
        return 1;
    }
    return 0;
}
