// Picture files are checked whole before any image reader sees them: files cut short,
// damaged or hostile cannot become frames by any way in, and no byte that no decoder
// wrote reaches a frame.
#include "support/enginetesthelpers.h"
#include "support/gifbytes.h"
#include "support/pngbytes.h"
#include "workers/framefile.h"
#include "workers/memorybudget.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage colourful(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 5, y * 7, (x * y) & 0xFF));
    return image;
}

// An 8-bit BMP of 64 x 64 pixels with a palette of two colours, run-length coded: the runs
// given, then the end of the bitmap.
QByteArray rle8Bmp(const QByteArray &runs)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 offset = 14 + 40 + 8;
    out.writeRawData("BM", 2);
    out << quint32(offset + runs.size()) << quint32(0) << offset;
    out << quint32(40) << qint32(64) << qint32(64) << quint16(1) << quint16(8) << quint32(1)
        << quint32(runs.size()) << qint32(2835) << qint32(2835) << quint32(2) << quint32(0);
    // rgb(0x10, 0x20, 0x30) and rgb(0xff, 0x80, 0x40), as blue, green, red.
    out << quint32(0x00102030) << quint32(0x00ff8040);
    return header + runs;
}

// The PNG with the CRC of the chunk of the given type broken.
QByteArray withBadCrc(QByteArray png, const char *type)
{
    const int at = png.indexOf(type);
    const int length = int(qFromBigEndian<quint32>(png.constData() + at - 4));
    png[at + 4 + length] = char(png[at + 4 + length] ^ 1);
    return png;
}

} // namespace

class TestPictureFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

private slots:
    void damagedFilesAreRefusedEverywhere_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("whole");
        // Whether the file's structure is whole: all that is checked without decoding.
        QTest::addColumn<bool>("structure");

        const QByteArray bmp = encoded(colourful(40, 30), "bmp");
        const QByteArray jpeg = encoded(colourful(64, 48), "jpg");
        const QByteArray png = encoded(colourful(40, 30), "png");
        const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
        const QByteArray header = chunk("IHDR", bigEndian(40) + bigEndian(30)
                                                    + QByteArray("\x08\x02\0\0\0", 5));
        // Rows of 40 RGB pixels and a filter byte each, enough for 10 of the 30.
        const QByteArray tenRows = qCompress(QByteArray(10 * 121, '\0')).mid(4);

        QTest::newRow("BMP") << bmp << true << true;
        QTest::newRow("BMP cut in its pixels") << bmp.left(bmp.size() - 700) << false << false;
        QTest::newRow("run-length BMP") << rle8Bmp(QByteArray("\x05\x01\0\0\0\x01", 6))
                                        << true << true;
        QTest::newRow("run-length BMP cut before its end")
            << rle8Bmp(QByteArray("\x05\x01\0\0\x05\x01", 6)) << false << false;
        QTest::newRow("JPEG") << jpeg << true << true;
        QTest::newRow("JPEG cut in its scan") << jpeg.left(jpeg.size() / 2) << false << false;
        QTest::newRow("JPEG without its end marker") << jpeg.chopped(2) << false << false;
        QTest::newRow("PNG") << png << true << true;
        QTest::newRow("PNG with a bad image data CRC") << withBadCrc(png, "IDAT") << false << false;
        QTest::newRow("PNG with a bad text CRC")
            << withBadCrc(png.left(33) + chunk("tEXt", "Title\0x") + png.mid(33), "tEXt")
            << false << false;
        QTest::newRow("PNG with too little image data")
            << signature + header + chunk("IDAT", tenRows) + chunk("IEND", {}) << false << true;
        // Deflate cannot make 400 MB of rows from so few bytes: refused before any is kept.
        const QByteArray largeHeader = chunk(
            "IHDR", bigEndian(10000) + bigEndian(10000) + QByteArray("\x08\x06\0\0\0", 5));
        QTest::newRow("PNG of 100 megapixels from 30 bytes")
            << signature + largeHeader + chunk("IDAT", tenRows) + chunk("IEND", {}) << false
            << false;
        QTest::newRow("PNG cut short") << png.left(png.size() - 20) << false << false;
        // 42 bytes that made the PNG reader take 2 GB and 8 s.
        QTest::newRow("PNG text chunk of 2 GB")
            << signature + header + bigEndian(0x7FFFFFF0) + "tEXtab" << false << false;
        QTest::newRow("GIF frame of no height")
            << repeatedFrameGif(QSize(8, 8), QSize(8, 0), 1, QByteArray(6, '\x40'),
                                QByteArray("\x02\0", 2))
            << false << false;
        // The reader gives the first frame's size but decodes onto all 200 megapixels.
        QTest::newRow("GIF of a 1 x 1 frame on a screen of 200 megapixels")
            << repeatedFrameGif(QSize(20000, 10000), QSize(1, 1), 1, QByteArray(),
                                QByteArray("\x02\x02\x44\x01\0", 5))
            << false << false;
    }

    // The job's frames and the import's thumbnails refuse the same files; the command
    // line's sizing, which decodes nothing, refuses those whose structure is damaged.
    void damagedFilesAreRefusedEverywhere()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, whole);
        QFETCH(bool, structure);
        const QString path = dir.filePath(QTest::currentDataTag());
        QVERIFY(writeFile(path, file));

        QCOMPARE(!readFrameFile(path).isNull(), whole);
        QSize size;
        QCOMPARE(!readPictureFitting(path, QSize(16, 16), &size).isNull(), whole);
        QImageReader reader(path);
        QCOMPARE(pictureFrameSize(&reader).isValid(), structure);
        QCOMPARE(pictureFileIntact(path), structure);
    }

    // Runs that end early leave pixels that no code gave; they read as entry 0, whatever
    // the memory held before.
    void pixelsNoDecoderWroteAreCleared()
    {
        const QString path = dir.filePath("early end.bmp");
        QVERIFY(writeFile(path, rle8Bmp(QByteArray("\x05\x01\0\x01", 4))));
        QImage frames[2];
        for (int dirt : {0x55, 0xAA}) {
            {
                // Freed blocks of the frame's size, which the reader's allocation may reuse.
                const std::vector<uchar> block(64 * 64 * 4, uchar(dirt));
                std::vector<std::vector<uchar>> used(8, block);
            }
            frames[dirt == 0xAA] = readFrameFile(path);
        }
        QVERIFY(!frames[0].isNull());
        QCOMPARE(frames[0], frames[1]);
        QCOMPARE(frames[0].pixel(0, 63), qRgb(0xFF, 0x80, 0x40));
        QCOMPARE(frames[0].pixel(5, 63), qRgb(0x10, 0x20, 0x30));
        QCOMPARE(frames[0].pixel(63, 0), qRgb(0x10, 0x20, 0x30));
    }

    // Reads side by side hold what fits the budget; one larger than it runs alone.
    void memoryBudgetBoundsReadsByBytes()
    {
        MemoryBudget budget(100);
        budget.grow(0, 80);
        std::atomic<bool> second(false);
        std::thread waiting([&] {
            budget.grow(0, 10);
            budget.grow(10, 40); // over the budget: gives back its 10 and waits for 50
            second = true;
            budget.give(50);
        });
        QTest::qWait(50);
        QVERIFY(!second);
        budget.give(80);
        waiting.join();
        QVERIFY(second);
        budget.grow(0, 500);
        budget.give(500);
    }
};

QTEST_GUILESS_MAIN(TestPictureFiles)
#include "tst_picturefiles.moc"
