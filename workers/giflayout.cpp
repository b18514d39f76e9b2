#include "workers/giflayout.h"
#include "workers/gifimagedata.h"

#include <QByteArray>
#include <QFile>

#include <cstring>

namespace {

const int SignatureSize = 6;

bool isGifSignature(const char *bytes, qint64 size)
{
    return size >= SignatureSize
           && (qstrncmp(bytes, "GIF87a", SignatureSize) == 0
               || qstrncmp(bytes, "GIF89a", SignatureSize) == 0);
}

// Reads a GIF's blocks front to back; every read past the end fails.
class BlockCursor
{
public:
    BlockCursor(const uchar *data, qint64 size) : at(data), end(data + size) {}

    int byte() { return at < end ? *at++ : -1; }

    int word()
    {
        const int low = byte();
        const int high = byte();
        return high < 0 ? -1 : low | high << 8;
    }

    const uchar *position() const { return at; }

    bool skip(qint64 count)
    {
        if (count > end - at)
            return false;
        at += count;
        return true;
    }

    // Skips a colour table when the flags byte announces one.
    bool skipColourTable(int flags)
    {
        return !(flags & 0x80) || skip(3 << ((flags & 7) + 1));
    }

    // Skips a frame's image data when it is valid and gives the frame's pixels.
    bool skipImageData(qint64 pixels)
    {
        const size_t used = checkGifImageData(at, size_t(end - at), size_t(pixels));
        at += used;
        return used > 0;
    }

    // Skips data sub-blocks up to and including the empty one that ends them.
    bool skipSubBlocks()
    {
        for (;;) {
            const int size = byte();
            if (size <= 0)
                return size == 0;
            if (!skip(size))
                return false;
        }
    }

private:
    const uchar *at;
    const uchar *end;
};

// Takes the delay of a graphic control extension and the count of a looping extension,
// given the extension's label and its sub-blocks, which are all there.
void readTimingExtension(int label, const uchar *blocks, int *delay, GifLayout *layout)
{
    if (label == 0xF9 && blocks[0] == 4)
        *delay = blocks[2] | blocks[3] << 8;
    else if (label == 0xFF && blocks[0] == 11 && memcmp(blocks + 1, "NETSCAPE2.0", 11) == 0
             && blocks[12] == 3 && blocks[13] == 1)
        layout->loopCount = blocks[14] | blocks[15] << 8;
}

} // namespace

GifLayout readGifLayout(const uchar *data, qint64 size)
{
    GifLayout layout;
    if (!isGifSignature(reinterpret_cast<const char *>(data), size))
        return layout;

    BlockCursor in(data, size);
    in.skip(SignatureSize);
    const int width = in.word();
    const int height = in.word();
    const int flags = in.byte();
    if (!in.skip(2) || !in.skipColourTable(flags))
        return layout;
    layout.isGif = true;
    layout.canvas = QSize(width, height);

    int delay = 0;
    for (;;) {
        const int introducer = in.byte();
        if (introducer == 0x3B) {
            layout.intact = true;
            return layout;
        }
        if (introducer == 0x21) {
            const int label = in.byte();
            const uchar *blocks = in.position();
            if (label < 0 || !in.skipSubBlocks())
                return layout;
            readTimingExtension(label, blocks, &delay, &layout);
            continue;
        }
        if (introducer != 0x2C)
            return layout;
        const int left = in.word();
        const int top = in.word();
        const int frameWidth = in.word();
        const int frameHeight = in.word();
        const int frameFlags = in.byte();
        const qint64 pixels = qint64(qMax(frameWidth, 0)) * qMax(frameHeight, 0);
        const bool whole = frameFlags >= 0 && pixels > 0 && in.skipColourTable(frameFlags)
                           && in.skipImageData(pixels);
        if (!whole)
            return layout;
        layout.canvas = layout.canvas.expandedTo(QSize(left + frameWidth, top + frameHeight));
        layout.wholeFrames++;
        layout.delays << delay;
        layout.frameEnds << qint64(in.position() - data);
        delay = 0;
    }
}

GifLayout readGifLayout(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return GifLayout();
    // Mapped, the walk over the blocks costs no copy; a device that cannot be mapped is
    // read whole.
    const qint64 size = file.size();
    const uchar *data = size > 0 ? file.map(0, size) : nullptr;
    if (data)
        return readGifLayout(data, size);
    const QByteArray copy = file.readAll();
    return readGifLayout(reinterpret_cast<const uchar *>(copy.constData()), copy.size());
}

bool startsLikeGif(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(SignatureSize);
    return isGifSignature(start.constData(), start.size());
}
