// encode-images OUT.gif IMAGE...
// Encodes the images into one GIF exactly as the creation job does and prints the times.
#include "workers/gifcreaterthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        fprintf(stderr, "usage: encode-images OUT.gif IMAGE...\n");
        return 2;
    }

    GifCreaterThread creater;
    creater.gifFilePath = arguments.at(1);
    creater.delay = 10;
    int width = 20;
    int height = 20;
    double megapixels = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 2; i < arguments.size(); ++i) {
        const QImage image(arguments.at(i));
        if (image.isNull()) {
            fprintf(stderr, "skipped unreadable image %s\n", qPrintable(arguments.at(i)));
            continue;
        }
        creater.addImage(image);
        width = qMax(width, image.width());
        height = qMax(height, image.height());
        megapixels += double(image.width()) * image.height() / 1e6;
    }
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    creater.setGifSize(width, height);

    timer.restart();
    creater.start(QThread::InheritPriority);
    creater.wait();
    const double encodeSeconds = timer.nsecsElapsed() / 1e9;

    printf("frames: %d, canvas %d x %d\n", creater.imageList.size(), width, height);
    printf("load: %.3f s\n", loadSeconds);
    printf("encode: %.3f s\n", encodeSeconds);
    printf("encode speed: %.2f megapixels/s\n", megapixels / encodeSeconds);
    if (!creater.succeeded) {
        fprintf(stderr, "failed to write %s\n", qPrintable(creater.gifFilePath));
        return 1;
    }
    return 0;
}
