// encode-images [--reference | --smaller] OUT.gif IMAGE...
// Encodes the images into one GIF exactly as the creation job does and prints the times.
// The images are decoded on every core first. With --reference before OUT.gif, the
// straightforward encoder that the tests keep as the reference writes the file instead,
// on one thread, so that the speed-up can be measured in one run. --smaller writes the
// "Smaller file" kind of GIF.
#include "support/referenceencoder.h"
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
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// One block for every decoded image: on Linux in huge pages where the kernel allows, so
// that first touching 60 frames costs a few dozen page faults instead of thousands.
struct ImageMemory
{
    unsigned char *bytes = nullptr;
    size_t size = 0;

    ImageMemory() = default;
    void allocate(size_t wanted)
    {
        if (wanted == 0)
            return;
#ifdef __linux__
        void *block = mmap(nullptr, wanted, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED)
            return;
        madvise(block, wanted, MADV_HUGEPAGE);
        bytes = static_cast<unsigned char *>(block);
#else
        bytes = static_cast<unsigned char *>(malloc(wanted));
#endif
        size = bytes ? wanted : 0;
    }
    ~ImageMemory()
    {
#ifdef __linux__
        if (bytes)
            munmap(bytes, size);
#else
        free(bytes);
#endif
    }
    ImageMemory(const ImageMemory &) = delete;
    ImageMemory &operator=(const ImageMemory &) = delete;
};

// Blue and red trade places: 32-bit pixels in the machine's order become RGBA bytes.
void swapRedAndBlue(unsigned char *pixels, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const unsigned char blue = pixels[i * 4];
        pixels[i * 4] = pixels[i * 4 + 2];
        pixels[i * 4 + 2] = blue;
    }
}

// Decodes every file into RGBA, the form the encoder takes, on all cores. The reader
// writes straight into each image's place in the block; only images it cannot put there
// (other sizes or formats) are converted into memory of their own.
QVector<QImage> decodeAll(const QStringList &paths, ImageMemory *memory)
{
    QVector<size_t> offsets(paths.size() + 1);
    QVector<QSize> sizes(paths.size());
    offsets[0] = 0;
    for (int i = 0; i < paths.size(); ++i) {
        sizes[i] = QImageReader(paths.at(i)).size();
        const size_t bytes =
            sizes[i].isValid() ? size_t(sizes[i].width()) * size_t(sizes[i].height()) * 4 : 0;
        offsets[i + 1] = offsets[i] + bytes;
    }
    memory->allocate(offsets.last());

    QVector<QImage> images(paths.size());
    std::atomic<int> next{0};
    auto decode = [&] {
        for (int i = next++; i < paths.size(); i = next++) {
            unsigned char *place = memory->bytes ? memory->bytes + offsets[i] : nullptr;
            const QSize size = sizes[i];
            QImage decoded;
            if (place && offsets[i + 1] > offsets[i])
                decoded = QImage(place, size.width(), size.height(), size.width() * 4,
                                 QImage::Format_RGB32);
            QImageReader(paths.at(i)).read(&decoded);
            const bool inPlace = place && decoded.constBits() == place
                                 && decoded.format() == QImage::Format_RGB32
                                 && QSysInfo::ByteOrder == QSysInfo::LittleEndian;
            if (inPlace) {
                swapRedAndBlue(place, size_t(size.width()) * size.height());
                images[i] = QImage(place, size.width(), size.height(), size.width() * 4,
                                   QImage::Format_RGBA8888);
            } else {
                images[i] = std::move(decoded).convertToFormat(QImage::Format_RGBA8888);
            }
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
                      int height, int delay, bool smallerFile)
{
    GifCreaterThread creater;
    creater.gifFilePath = path;
    creater.delay = delay;
    creater.smallerFile = smallerFile;
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
    const bool smallerFile = !arguments.isEmpty() && arguments.first() == "--smaller";
    if (smallerFile)
        arguments.removeFirst();
    if (arguments.size() < 2) {
        fprintf(stderr, "usage: encode-images [--reference | --smaller] OUT.gif IMAGE...\n");
        return 2;
    }
    const QString outPath = arguments.takeFirst();
    if (builtInFormatsOnly(arguments))
        QCoreApplication::setLibraryPaths(QStringList());

    QElapsedTimer timer;
    timer.start();
    // Declared before the images, so that it outlives them.
    ImageMemory memory;
    QVector<QImage> images = decodeAll(arguments, &memory);
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
    const bool written =
        useReference ? encodeWithReference(outPath, images, width, height, 10)
                     : encodeWithWorker(outPath, images, width, height, 10, smallerFile);
    const double encodeSeconds = timer.nsecsElapsed() / 1e9;

    printf("encoder: %s\n",
           useReference ? "reference" : (smallerFile ? "ours, smaller file" : "ours"));
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
