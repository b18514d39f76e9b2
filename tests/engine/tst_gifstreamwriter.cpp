// Byte-exact checks of the file framing and the LZW code stream.
#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "support/gifdecoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// Index sequence in which no pair of consecutive indices occurs twice, so that every pixel
// after the first makes the coder emit exactly one single-index code: runs of i * d (mod 256)
// for odd steps d, each run a cycle whose pairs all differ by d.
QVector<int> uniquePairSequence(int length)
{
    QVector<int> sequence;
    for (int d = 1; sequence.size() < length; d += 2)
        for (int i = 0; i < 256 && sequence.size() < length; ++i)
            sequence.append(i * d % 256);
    return sequence;
}

// Reads LZW codes least significant bit first from the concatenated sub-block data.
struct CodeReader
{
    QByteArray data;
    int bitPos = 0;
    int read(int width)
    {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bitPos) {
            const int bit = (uchar(data[bitPos / 8]) >> (bitPos % 8)) & 1;
            code |= bit << i;
        }
        return code;
    }
};

} // namespace

class TestGifStreamWriter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Writes one frame with writeFrameBlocks and returns its bytes.
    QByteArray frameBytes(const QVector<int> &indices, int width, int height, int delay = 10)
    {
        QVector<uchar> indexFrame(indices.size(), 0);
        for (int i = 0; i < indices.size(); ++i)
            indexFrame[i] = uchar(indices[i]);
        FramePalette palette = {};
        palette.depth = 8;
        for (int i = 0; i < 256; ++i) {
            palette.red[i] = uchar(i);
            palette.green[i] = uchar(255 - i);
            palette.blue[i] = uchar(i / 2);
        }
        const QString path = dir.filePath("frame.bin");
        FILE *out = fopen(QFile::encodeName(path).constData(), "wb");
        GifEncoder encoder;
        LzwDictionary dictionary;
        allocateLzwDictionary(&dictionary);
        encoder.writeFrameBlocks(out, indexFrame.constData(), width, 0, 0, width, height,
                                 delay, &palette, &dictionary);
        releaseLzwDictionary(&dictionary);
        fclose(out);
        return readAll(path);
    }

    // The LZW data of a frame written by frameBytes, sub-block framing removed; checks that
    // every sub-block but the last is full and that the terminator follows.
    QByteArray lzwData(const QByteArray &frame, int *blockCount)
    {
        int pos = 8 + 10 + 768;
        [&] { QCOMPARE(int(frame[pos]), 8); }();
        pos++;
        QByteArray data;
        *blockCount = 0;
        while (uchar(frame[pos]) != 0) {
            const int length = uchar(frame[pos]);
            if (pos + 1 + length + 1 + 1 <= frame.size() && uchar(frame[pos + 1 + length]) != 0)
                [&] { QCOMPARE(length, 255); }();
            data += frame.mid(pos + 1, length);
            pos += 1 + length;
            ++*blockCount;
        }
        [&] { QCOMPARE(pos + 1, frame.size()); }();
        return data;
    }

private slots:
    void headerAndLoopingExtension()
    {
        const QString path = dir.filePath("header.gif");
        GifFileState state = openGifStream(QFile::encodeName(path).constData(), 300, 200, 10);
        QVERIFY(state.outputFile);
        QVERIFY(closeGifStream(&state));
        QCOMPARE(readAll(path), QByteArray("GIF89a") + hex("2C01C800F0" "0000" "000000000000")
                                    + hex("21FF0B") + "NETSCAPE2.0" + hex("0301000000")
                                    + hex("3B"));
    }

    void delayZeroHasNoLoopingExtension()
    {
        const QString path = dir.filePath("delay0.gif");
        GifFileState state = openGifStream(QFile::encodeName(path).constData(), 1, 1, 0);
        const uchar pixel[4] = {10, 20, 30, 0};
        GifEncoder encoder;
        QVERIFY(encoder.encodeFrame(&state, pixel, 1, 1, 0, 8));
        QVERIFY(closeGifStream(&state));
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.mid(13 + 6, 8), hex("21F904050000" "0000"));
        QCOMPARE(bytes.mid(19 + 8, 10), hex("2C000000000100010087"));
        QCOMPARE(bytes.right(1), hex("3B"));
    }

    void frameFraming()
    {
        const QByteArray frame = frameBytes({5}, 1, 1, 300);
        QCOMPARE(frame.left(8), hex("21F904052C010000"));
        QCOMPARE(frame.mid(8, 10), hex("2C000000000100010087"));
        // Entry 0 is written black whatever the palette holds.
        QCOMPARE(frame.mid(18, 6), hex("000000" "01FE00"));
        QCOMPARE(frame.mid(18 + 765, 3), hex("FF007F"));
        // Codes 256, 5, 256, 257 at 9 bits.
        QCOMPARE(frame.mid(18 + 768), hex("08" "05000B000C08" "00"));
    }

    void resetAt4095()
    {
        const int length = 3900;
        const QVector<int> sequence = uniquePairSequence(length);
        int blocks = 0;
        CodeReader reader{lzwData(frameBytes(sequence, length, 1), &blocks)};
        QVERIFY(blocks > 1);

        QCOMPARE(reader.read(9), 256);
        // Emission j leaves code 258 + j assigned; widths grow after codes 511, 1023, 2047.
        for (int j = 0; j < 3838; ++j) {
            const int width = j <= 254 ? 9 : j <= 766 ? 10 : j <= 1790 ? 11 : 12;
            QCOMPARE(reader.read(width), sequence[j]);
        }
        QCOMPARE(reader.read(12), 256);
        for (int j = 3838; j < length; ++j)
            QCOMPARE(reader.read(9), sequence[j]);
        QCOMPARE(reader.read(9), 256);
        QCOMPARE(reader.read(9), 257);
        QVERIFY(reader.data.size() * 8 - reader.bitPos < 8);

        // An independent decoder reads the same indices back.
        const QString path = dir.filePath("long.gif");
        GifFileState state = openGifStream(QFile::encodeName(path).constData(), length, 1, 10);
        FILE *out = state.outputFile;
        QVector<uchar> indexFrame(length, 0);
        for (int i = 0; i < length; ++i)
            indexFrame[i] = uchar(sequence[i]);
        FramePalette palette = {};
        palette.depth = 8;
        GifEncoder().writeFrameBlocks(out, indexFrame.constData(), length, 0, 0, length, 1, 10,
                                      &palette, &state.dictionary);
        QVERIFY(closeGifStream(&state));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 1);
        for (int i = 0; i < length; ++i)
            QCOMPARE(int(uchar(gif.frames[0].indices[i])), sequence[i]);
    }

    void subBlocks()
    {
        // 223 single-index codes plus clear, clear and end: 226 x 9 bits = 255 bytes exactly,
        // one full block and no empty block before the terminator.
        int blocks = 0;
        const QByteArray exact = frameBytes(uniquePairSequence(223), 223, 1);
        QCOMPARE(lzwData(exact, &blocks).size(), 255);
        QCOMPARE(blocks, 1);
        QCOMPARE(exact.right(257).left(1), hex("FF"));

        // One code more: a full block and a block of 1 byte.
        const QByteArray longer = frameBytes(uniquePairSequence(224), 224, 1);
        QCOMPARE(lzwData(longer, &blocks).size(), 256);
        QCOMPARE(blocks, 2);
        QCOMPARE(longer.right(3).left(1), hex("01"));
    }

    void openFailures()
    {
        // Sizes a GIF cannot store, and a folder that does not exist: no file.
        const QByteArray wide = QFile::encodeName(dir.filePath("wide.gif"));
        GifFileState state = openGifStream(wide.constData(), 65536, 20, 10);
        QVERIFY(!state.outputFile);
        QVERIFY(!closeGifStream(&state));
        QVERIFY(!QFile::exists(dir.filePath("wide.gif")));
        state = openGifStream(wide.constData(), 20, 0, 10);
        QVERIFY(!state.outputFile);
        QVERIFY(!QFile::exists(dir.filePath("wide.gif")));

        const QByteArray missing = QFile::encodeName(dir.filePath("no/such/folder/a.gif"));
        state = openGifStream(missing.constData(), 20, 20, 10);
        QVERIFY(!state.outputFile);
        const uchar pixel[4] = {1, 2, 3, 4};
        QVERIFY(!GifEncoder().encodeFrame(&state, pixel, 1, 1, 10, 8));

        // The largest storable canvas side still opens.
        const QByteArray edge = QFile::encodeName(dir.filePath("edge.gif"));
        state = openGifStream(edge.constData(), 65535, 1, 10);
        QVERIFY(state.outputFile);
        QVERIFY(closeGifStream(&state));
        QCOMPARE(readAll(dir.filePath("edge.gif")).mid(6, 4), hex("FFFF0100"));
    }
};

QTEST_GUILESS_MAIN(TestGifStreamWriter)
#include "tst_gifstreamwriter.moc"
