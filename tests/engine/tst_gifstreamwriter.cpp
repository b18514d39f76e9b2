// Byte-exact checks of the file framing and the LZW code stream.
#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "support/enginetesthelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <numeric>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// 0, 1, 2, ...: no pair of neighbours repeats, so every pixel makes the coder emit one
// single-index code.
QVector<int> ascending(int length)
{
    QVector<int> sequence(length);
    std::iota(sequence.begin(), sequence.end(), 0);
    return sequence;
}

} // namespace

class TestGifStreamWriter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Writes a GIF of one frame with writeFrameBlocks into the file name, and returns the
    // frame's bytes: what follows the 19 bytes of header and global colours, trailer left out.
    QByteArray frameBytes(const QString &name, const QVector<int> &indices, int width,
                          int height, int delay = 10)
    {
        const QString path = dir.filePath(name);
        QVector<uchar> indexFrame(indices.begin(), indices.end());
        FramePalette palette = {};
        palette.depth = 8;
        for (int i = 0; i < 256; ++i) {
            palette.red[i] = uchar(i);
            palette.green[i] = uchar(255 - i);
            palette.blue[i] = uchar(i / 2);
        }
        GifFileState state = openGifStream(QFile::encodeName(path).constData(), width, height, 0);
        GifEncoder().writeFrameBlocks(state.outputFile, indexFrame.constData(), width, 0, 0,
                                      width, height, delay, &palette, &state.dictionary);
        [&] { QVERIFY(closeGifStream(&state)); }();
        const QByteArray bytes = readFile(path);
        return bytes.mid(19, bytes.size() - 20);
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
        QCOMPARE(readFile(path), QByteArray("GIF89a") + hex("2C01C800F0" "0000" "000000000000")
                                     + hex("21FF0B") + "NETSCAPE2.0" + hex("0301000000")
                                     + hex("3B"));

        // Delay 0: no looping extension (the frame follows the global colours), and 0 in
        // the graphic control extension.
        QCOMPARE(frameBytes("still.gif", {5}, 1, 1, 0).left(8), hex("21F904050000" "0000"));
    }

    void frameFraming()
    {
        const QByteArray frame = frameBytes("frame.gif", {5}, 1, 1, 300);
        QCOMPARE(frame.left(8), hex("21F904052C010000"));
        QCOMPARE(frame.mid(8, 10), hex("2C000000000100010087"));
        // Entry 0 is written black whatever the palette holds.
        QCOMPARE(frame.mid(18, 6), hex("000000" "01FE00"));
        QCOMPARE(frame.mid(18 + 765, 3), hex("FF007F"));
        // Codes 256, 5, 256, 257 at 9 bits.
        QCOMPARE(frame.mid(18 + 768), hex("08" "05000B000C08" "00"));
    }

    void subBlocks()
    {
        // 223 single-index codes plus clear, clear and end: 226 x 9 bits = 255 bytes exactly,
        // one full block and no empty block before the terminator.
        int blocks = 0;
        const QByteArray exact = frameBytes("exact.gif", ascending(223), 223, 1);
        QCOMPARE(lzwData(exact, &blocks).size(), 255);
        QCOMPARE(blocks, 1);
        QCOMPARE(exact.right(257).left(1), hex("FF"));

        // One code more: a full block and a block of 1 byte.
        const QByteArray longer = frameBytes("longer.gif", ascending(224), 224, 1);
        QCOMPARE(lzwData(longer, &blocks).size(), 256);
        QCOMPARE(blocks, 2);
        QCOMPARE(longer.right(3).left(1), hex("01"));
    }

    void openFailures()
    {
        // Sizes a GIF cannot store, and a folder that does not exist: no file, and no frame
        // or trailer written.
        const struct { const char *name; int width, height; } unusable[] = {
            {"wide.gif", 65536, 20}, {"flat.gif", 20, 0}, {"no/such/folder/a.gif", 20, 20}};
        const uchar pixel[4] = {1, 2, 3, 4};
        for (const auto &gif : unusable) {
            const QString path = dir.filePath(gif.name);
            GifFileState state = openGifStream(QFile::encodeName(path).constData(), gif.width,
                                               gif.height, 10);
            QVERIFY(!state.outputFile);
            QVERIFY(!GifEncoder().encodeFrame(&state, pixel, 1, 1, 10, 8));
            QVERIFY(!closeGifStream(&state));
            QVERIFY(!QFile::exists(path));
        }

        // The largest storable canvas side still opens.
        const QByteArray edge = QFile::encodeName(dir.filePath("edge.gif"));
        GifFileState state = openGifStream(edge.constData(), 65535, 1, 10);
        QVERIFY(state.outputFile);
        QVERIFY(closeGifStream(&state));
        QCOMPARE(readFile(dir.filePath("edge.gif")).mid(6, 4), hex("FFFF0100"));
    }
};

QTEST_GUILESS_MAIN(TestGifStreamWriter)
#include "tst_gifstreamwriter.moc"
