#include "workers/framefile.h"
#include "workers/memorybudget.h"
#include "workers/picturecheck.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <new>

namespace {

// The file of the largest frame is far smaller, whatever its format.
const qint64 MostPictureFileBytes = 2 * 4 * MaxFramePixels;

bool readWholeFile(const QString &path, std::vector<uchar> *bytes)
{
    QFile file(path);
    const qint64 size = file.size();
    if (size > MostPictureFileBytes || !file.open(QIODevice::ReadOnly))
        return false;
    try {
        bytes->resize(size_t(size));
    } catch (const std::bad_alloc &) {
        return false;
    }
    return file.read(reinterpret_cast<char *>(bytes->data()), size) == size;
}

// An image reader over bytes that stay where they are; it tells the format from them.
struct BytesReader
{
    BytesReader(const uchar *data, size_t size)
        : bytes(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size))),
          buffer(&bytes)
    {
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    }

    QByteArray bytes;
    QBuffer buffer;
    QImageReader reader; // last: it goes before the buffer it reads
};

// The picture's size from the header; an invalid size when the file cannot be read or the
// picture is too large for a frame. Readers that learn the size only by decoding report a
// valid empty size; the caller checks the decoded picture then.
QSize openPicture(QImageReader *reader)
{
    const QSize size = reader->size();
    if (!size.isValid())
        return reader->canRead() ? QSize(0, 0) : QSize();
    return frameSizeAllowed(size) ? size : QSize();
}

// Decodes into an image cleared first, which the readers of fixed-size formats fill in
// place; null when the reader fails.
QImage readCleared(QImageReader *reader, const QSize &size)
{
    QImage picture;
    const QImage::Format format = reader->imageFormat();
    if (!size.isEmpty() && format > QImage::Format_Invalid && format < QImage::NImageFormats) {
        picture = QImage(size, format);
        picture.fill(0);
    }
    if (!reader->read(&picture))
        return QImage();
    return picture;
}

// Holds a share of a memory budget for as long as it lives.
class BudgetShare
{
public:
    explicit BudgetShare(MemoryBudget *budget) : budget(budget) {}
    ~BudgetShare()
    {
        if (budget && held > 0)
            budget->give(held);
    }
    BudgetShare(const BudgetShare &) = delete;
    BudgetShare &operator=(const BudgetShare &) = delete;

    void grow(qint64 bytes)
    {
        if (budget)
            budget->grow(held, bytes);
        held += bytes;
    }

private:
    MemoryBudget *budget;
    qint64 held = 0;
};

} // namespace

bool pictureFileIntact(const QString &path)
{
    std::vector<uchar> bytes;
    return readWholeFile(path, &bytes) && pictureBytesIntact(bytes.data(), bytes.size());
}

QSize pictureFrameSize(QImageReader *reader)
{
    if (!pictureFileIntact(reader->fileName()))
        return QSize();
    reader->setDecideFormatFromContent(true);
    const QSize size = openPicture(reader);
    if (!size.isValid() || !size.isEmpty())
        return size;
    const QSize decoded = reader->read().size();
    return frameSizeAllowed(decoded) ? decoded : QSize();
}

QImage readPictureFitting(const QString &path, const QSize &box, QSize *size,
                          MemoryBudget *budget)
{
    *size = QSize();
    BudgetShare share(budget);
    share.grow(QFile(path).size());
    std::vector<uchar> bytes;
    if (!readWholeFile(path, &bytes) || !pictureBytesIntact(bytes.data(), bytes.size()))
        return QImage();
    BytesReader in(bytes.data(), bytes.size());
    *size = openPicture(&in.reader);
    if (!size->isValid())
        return QImage();
    // Decoded whole at worst; a size known only by decoding may be the largest frame.
    share.grow(size->isEmpty() ? 4 * MaxFramePixels : 4 * qint64(size->width()) * size->height());
    const auto fitted = [&box](const QSize &whole) {
        return whole.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    };
    if (!size->isEmpty())
        in.reader.setScaledSize(fitted(*size));
    QImage picture = in.reader.read();
    if (picture.isNull() || !size->isEmpty())
        return picture;
    *size = picture.size();
    if (!frameSizeAllowed(*size))
        return QImage();
    return picture.scaled(fitted(*size), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage readFrameBytes(const uchar *data, size_t size, PngScratch *scratch)
{
    if (!pictureBytesIntact(data, size))
        return QImage();
    QImage frame = decodePngFrame(data, size, scratch);
    if (!frame.isNull())
        return frame;
    BytesReader in(data, size);
    const QSize declared = openPicture(&in.reader);
    if (!declared.isValid())
        return QImage();
    QImage picture = readCleared(&in.reader, declared);
    if (!frameSizeAllowed(picture.size()))
        return QImage();
    return frameFromPicture(std::move(picture));
}

QImage readFrameFile(const QString &path, PngScratch *scratch)
{
    PngScratch ownScratch;
    PngScratch *buffers = scratch ? scratch : &ownScratch;
    if (!readWholeFile(path, &buffers->file))
        return QImage();
    return readFrameBytes(buffers->file.data(), buffers->file.size(), buffers);
}

bool pictureMayHaveAlpha(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid || format == QImage::Format_Mono
        || format == QImage::Format_MonoLSB || format == QImage::Format_Indexed8)
        return true;
    return QImage::toPixelFormat(format).alphaUsage() == QPixelFormat::UsesAlpha;
}
