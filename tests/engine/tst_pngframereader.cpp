// PNG frames read through libdeflate and libspng are exactly the frames Qt's reader gives,
// over the kinds of PNG and the chunks they take; everything else is left to Qt's reader.
#include "support/enginetesthelpers.h"
#include "support/pngbytes.h"
#include "workers/framefile.h"
#include "workers/pngframereader.h"
#include "workers/picturecheck.h"

#include <QBuffer>
#include <QColorSpace>
#include <QtEndian>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a variant is made of: colour type and bit depth as in the header, Adam7 or not, and
// the sample bytes. Keyed: every other pixel is the colour 0x40 of every sample, which a
// tRNS chunk can name. Alpha samples are clear, opaque or in between. Filtered: each row
// gets a random filter, so the pixels are whatever undoing it gives.
struct Variant
{
    int colourType;
    int bitDepth;
    bool interlaced = false;
    bool keyed = false;
    bool filtered = false;
    int paletteEntries = 0; // 0: as many as the bit depth can index
};

int channelsOf(int colourType)
{
    return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

QByteArray imageData(const Variant &v, int width, int height, QRandomGenerator *random)
{
    // Column, row, column step and row step of each pass; the last one alone without Adam7.
    static const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 0, 1, 1}};
    const int sampleBytes = v.bitDepth == 16 ? 2 : 1;
    const int pixelBytes = channelsOf(v.colourType) * sampleBytes;
    const bool alpha = v.colourType == 4 || v.colourType == 6;
    QByteArray raw;
    for (int p = v.interlaced ? 0 : 6; p < 7; ++p) {
        const int *pass = passes[p];
        const int columns = (width - pass[0] + pass[2] - 1) / pass[2];
        const int rows = columns > 0 ? (height - pass[1] + pass[3] - 1) / pass[3] : 0;
        for (int y = 0; y < rows; ++y) {
            QByteArray row(1 + (columns * channelsOf(v.colourType) * v.bitDepth + 7) / 8, 0);
            row[0] = char(v.filtered ? random->bounded(5) : 0);
            for (int i = 1; i < row.size(); ++i)
                row[i] = char(random->bounded(256));
            for (int x = 0; v.bitDepth >= 8 && x < columns; ++x) {
                char *pixel = row.data() + 1 + x * pixelBytes;
                if (v.keyed && x % 2)
                    memset(pixel, 0x40, size_t(pixelBytes));
                const char kept = pixel[pixelBytes - 1];
                if (alpha)
                    memset(pixel + pixelBytes - sampleBytes, x % 3 ? (x % 3 == 1 ? 0xFF : kept) : 0,
                           size_t(sampleBytes));
            }
            raw += row;
        }
    }
    return qCompress(raw).mid(4); // the zlib stream, without Qt's length in front
}

// A PNG of the variant: signature, header, a palette of random colours where the type needs
// one, the given chunks, the image data cut into two chunks, the trailing chunks, the end.
QByteArray pngFile(const Variant &v, int width, int height, const QByteArray &leading,
                   const QByteArray &trailing, QRandomGenerator *random)
{
    QByteArray header = bigEndian(quint32(width)) + bigEndian(quint32(height));
    header += char(v.bitDepth);
    header += char(v.colourType);
    header += QByteArray(2, 0);
    header += char(v.interlaced ? 1 : 0);
    QByteArray palette;
    const int entries = v.paletteEntries ? v.paletteEntries : 1 << v.bitDepth;
    for (int i = 0; v.colourType == 3 && i < 3 * entries; ++i)
        palette += char(random->bounded(256));
    const QByteArray data = imageData(v, width, height, random);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header)
           + (palette.isEmpty() ? QByteArray() : chunk("PLTE", palette)) + leading
           + chunk("IDAT", data.left(data.size() / 2)) + chunk("IDAT", data.mid(data.size() / 2))
           + trailing + chunk("IEND", QByteArray());
}

// The frame Qt's reader and frameFromPicture give: what every file the fast path leaves alone
// becomes.
QImage qtFrame(const QByteArray &file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    const QImage picture = QImageReader(&buffer).read();
    return frameSizeAllowed(picture.size()) ? frameFromPicture(picture) : QImage();
}

// The file with one byte changed: in a chunk whose CRC is then made right again, so that
// the change reaches the decoders, or anywhere; or cut short.
QByteArray mutated(QByteArray file, QRandomGenerator *random)
{
    const int at = 8 + random->bounded(file.size() - 8);
    switch (random->bounded(3)) {
    case 0: {
        file[at] = char(random->bounded(256));
        // The chunk holding the byte, walked to from the start.
        for (int start = 8; start + 12 <= file.size();) {
            const int length = int(qFromBigEndian<quint32>(file.constData() + start));
            const int end = start + 12 + length;
            if (length < 0 || end > file.size())
                break;
            if (at < end) {
                file.replace(end - 4, 4, bigEndian(crc32(file.mid(start + 4, length + 4))));
                break;
            }
            start = end;
        }
        return file;
    }
    case 1:
        file[at] = char(file[at] ^ (1 << random->bounded(8)));
        return file;
    default:
        return file.left(at);
    }
}

// A tRNS chunk that names the keyed colour.
QByteArray keyChunk(int colourType, int bitDepth)
{
    QByteArray key;
    for (int s = 0; s < (colourType == 2 ? 3 : 1); ++s)
        key += bitDepth == 16 ? QByteArray("\x40\x40", 2) : QByteArray("\0\x40", 2);
    return chunk("tRNS", key);
}

} // namespace

class TestPngFrameReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    PngScratch scratch; // kept from row to row, as a reader keeps it from file to file

private slots:
    void sameFrameAsQt_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("fast");
        QRandomGenerator random(17);
        const auto png = [&random](Variant v, QByteArray leading = {}, QByteArray trailing = {},
                                   int width = 37, int height = 23) {
            return pngFile(v, width, height, leading, trailing, &random);
        };
        const QByteArray gamma = chunk("gAMA", bigEndian(20000));
        QByteArray chromaticities;
        for (quint32 value : {31270u, 32900u, 64000u, 33000u, 30000u, 60000u, 15000u, 6000u})
            chromaticities += bigEndian(value);
        const QByteArray icc = QColorSpace(QColorSpace::AdobeRgb).iccProfile();
        const QByteArray facts =
            chunk("sBIT", "\5\6\5") + chunk("bKGD", QByteArray("\0\x09\0\x09\0\x09", 6))
            + chunk("pHYs", bigEndian(2835) + bigEndian(2835) + '\1')
            + chunk("tEXt", QByteArray("Title\0frames", 12))
            + chunk("zTXt", QByteArray("Note\0\0", 6) + qCompress("text").mid(4))
            + chunk("iTXt", QByteArray("Author\0\0\0\0\0me", 13))
            + chunk("tIME", QByteArray("\x07\xe8\1\2\3\4\5", 7));
        const QByteArray later = chunk("tEXt", QByteArray("Comment\0after", 13))
                                 + chunk("tIME", QByteArray("\x07\xe8\1\2\3\4\5", 7));

        QTest::newRow("rgb, filtered, odd size") << png({2, 8, false, false, true}) << true;
        QTest::newRow("rgb 1 x 1") << png({2, 8}, {}, {}, 1, 1) << true;
        QTest::newRow("rgb interlaced") << png({2, 8, true, false, true}) << true;
        QTest::newRow("rgb interlaced 3 x 2") << png({2, 8, true}, {}, {}, 3, 2) << true;
        QTest::newRow("rgba, clear and translucent") << png({6, 8}) << true;
        QTest::newRow("rgba, filtered") << png({6, 8, false, false, true}, {}, {}, 41, 19) << true;
        QTest::newRow("rgba interlaced, filtered") << png({6, 8, true, false, true}) << true;
        QTest::newRow("rgb with a keyed colour") << png({2, 8, false, true}, keyChunk(2, 8))
                                                 << true;
        QTest::newRow("palette 8-bit") << png({3, 8, false, false, true}) << true;
        QTest::newRow("palette 1-bit interlaced") << png({3, 1, true, false, true}) << true;
        QTest::newRow("palette 2-bit") << png({3, 2}) << true;
        QTest::newRow("palette indices beyond the palette")
            << png({3, 8, false, false, false, 3}) << false;
        QTest::newRow("palette 4-bit with alphas")
            << png({3, 4}, chunk("tRNS", QByteArray("\0\x80\xff\x20\0", 5))) << true;
        QTest::newRow("grey 8-bit") << png({0, 8, false, false, true}) << true;
        QTest::newRow("grey 1-bit") << png({0, 1}) << true;
        QTest::newRow("grey 2-bit interlaced") << png({0, 2, true}) << true;
        QTest::newRow("grey 4-bit") << png({0, 4}) << true;
        QTest::newRow("grey with a keyed value") << png({0, 8, false, true}, keyChunk(0, 8))
                                                 << true;
        QTest::newRow("grey and alpha") << png({4, 8, false, false, true}) << true;
        QTest::newRow("gamma and chromaticities")
            << png({2, 8}, gamma + chunk("cHRM", chromaticities)) << true;
        QTest::newRow("sRGB") << png({6, 8}, chunk("sRGB", QByteArray(1, 0))) << true;
        QTest::newRow("ICC profile")
            << png({2, 8}, chunk("iCCP", QByteArray("Adobe\0\0", 7) + qCompress(icc).mid(4)))
            << true;
        QTest::newRow("facts before and after the image") << png({2, 8}, facts, later) << true;

        // Left to Qt's reader, which decides.
        QTest::newRow("rgb 16-bit") << png({2, 16}) << false;
        QTest::newRow("rgba 16-bit") << png({6, 16}) << false;
        QTest::newRow("grey 16-bit keyed") << png({0, 16, false, true}, keyChunk(0, 16)) << false;
        QTest::newRow("unknown chunk") << png({2, 8}, chunk("prVt", "x")) << false;
        QTest::newRow("gamma after the image") << png({2, 8}, {}, gamma) << false;
        QByteArray badCrc = png({2, 8});
        badCrc[badCrc.size() - 20] = char(badCrc[badCrc.size() - 20] ^ 1);
        QTest::newRow("damaged image data") << badCrc << false;
        QTest::newRow("cut short") << png({2, 8}).chopped(30) << false;
        QTest::newRow("too wide") << png({2, 8}, {}, {}, 65536, 1) << false;
        QTest::newRow("second palette")
            << png({2, 8}, chunk("PLTE", "\1\2\3") + chunk("PLTE", "\4\5\6")) << false;
        QByteArray method = png({2, 8});
        method[27] = 1; // the filter method of the header, which PNG leaves at 0
        method.replace(29, 4, bigEndian(crc32(method.mid(12, 17))));
        QTest::newRow("unknown filter method") << method << false;
    }

    void sameFrameAsQt()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, fast);
        const QString path = dir.filePath(QString(QTest::currentDataTag()) + ".png");
        QVERIFY(writeFile(path, file));

        const auto bytes = reinterpret_cast<const uchar *>(file.constData());
#ifdef LUMORRA_FAST_PNG
        QCOMPARE(!decodePngFrame(bytes, size_t(file.size()), &scratch).isNull(), fast);
#else
        QVERIFY(decodePngFrame(bytes, size_t(file.size()), &scratch).isNull());
#endif
        const QImage expected = qtFrame(file);
        if (fast)
            QVERIFY(!expected.isNull());
        QCOMPARE(readFrameFile(path), expected);
    }

    // Over files damaged at random, no file that Qt's reader refuses becomes a frame, and
    // where the fast path gives one, Qt's reader gives the same.
    void damagedFilesReadAsQtReadsThem()
    {
        QRandomGenerator random(23);
        const Variant kinds[] = {{2, 8, false, false, true}, {6, 8, false, false, true},
                                 {2, 8, true},  {3, 8, false, false, true, 200},
                                 {3, 2, true}, {3, 4, false, false, false, 5},
                                 {0, 1}, {4, 8, false, false, true}};
        int tried = 0;
        int fastFrames = 0;
        for (const Variant &kind : kinds) {
            const QByteArray whole = pngFile(kind, 19, 13, {}, {}, &random);
            for (int i = 0; i < 150; ++i, ++tried) {
                const QByteArray file = mutated(whole, &random);
                const auto bytes = reinterpret_cast<const uchar *>(file.constData());
                const QImage frame = readFrameBytes(bytes, size_t(file.size()), &scratch);
                QVERIFY(frame.isNull() || frame == qtFrame(file));
                if (pictureBytesIntact(bytes, size_t(file.size()))
                    && !decodePngFrame(bytes, size_t(file.size()), &scratch).isNull()) {
                    fastFrames++;
                    QVERIFY(!frame.isNull());
                }
            }
        }
        qInfo("%d damaged files, %d read by the fast path", tried, fastFrames);
    }
};

QTEST_GUILESS_MAIN(TestPngFrameReader)
#include "tst_pngframereader.moc"
