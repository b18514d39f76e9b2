// Decoding a picture file into a frame as every frame read does: our own checks of the
// file, then the fast PNG path (our row unfiltering on libdeflate, and libspng), else Qt's
// reader. Wherever the fast path gives a frame, Qt's reader must give the same pixels.
#include "workers/framefile.h"
#include "workers/picturecheck.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>

namespace {

QImage qtFrame(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage picture = reader.read();
    return frameSizeAllowed(picture.size()) ? frameFromPicture(picture) : QImage();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PngScratch scratch;
    if (!pictureBytesIntact(data, size)) {
        if (!readFrameBytes(data, size, &scratch).isNull())
            abort();
        return 0;
    }
    // Large pictures only cost time here; only whole files reach Qt's reader.
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize declared = QImageReader(&buffer).size();
    if (qint64(declared.width()) * declared.height() > (1 << 22))
        return 0;
    const QImage frame = readFrameBytes(data, size, &scratch);
    const QImage fast = decodePngFrame(data, size, &scratch);
    if (fast.isNull())
        return 0;
    const QImage expected = qtFrame(bytes);
    if (expected.isNull()) {
        fprintf(stderr, "the fast path gives a frame where Qt's reader gives none\n");
        abort();
    }
    if (fast != expected || frame != fast) {
        fprintf(stderr, "the fast path's pixels differ from Qt's\n");
        abort();
    }
    return 0;
}
