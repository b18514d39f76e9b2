// Frame encoding checked through giflib: what a viewer shows, palettes and transparency.
#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "support/enginetesthelpers.h"
#include "support/gifdecoder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The image with every alpha at 255, as a viewer shows a drawn pixel (the encoder ignores
// the 4th byte of its input).
QImage opaque(QImage image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.scanLine(y)[x * 4 + 3] = 255;
    return image;
}

// Per frame, which of its pixels a smaller file must write: those whose picture differs
// from the last one given at their place, and those no frame has drawn yet.
QVector<QImage> changedPixels(const QVector<QImage> &frames, QSize canvas)
{
    QImage picture(canvas, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QVector<QImage> changed;
    for (const QImage &frame : frames) {
        QImage mask(frame.size(), QImage::Format_Grayscale8);
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb was = picture.pixel(x, y);
                const QRgb now = frame.pixel(x, y) | 0xFF000000;
                mask.scanLine(y)[x] = was != now;
                picture.setPixel(x, y, now);
            }
        }
        changed.append(mask);
    }
    return changed;
}

// The smallest rectangle holding the mask's pixels; one pixel at (0, 0) when it is empty.
QRect boundsOf(const QImage &mask)
{
    QRect bounds;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.constScanLine(y)[x])
                bounds |= QRect(x, y, 1, 1);
    return bounds.isNull() ? QRect(0, 0, 1, 1) : bounds;
}

// The frame with the pixels of rect made clear (alpha 0, colour kept).
QImage withClearRect(QImage frame, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            frame.scanLine(y)[x * 4 + 3] = 0;
    return frame;
}

} // namespace

class TestGifEncoder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Every frame as giflib composites it must be what the encoder says a viewer shows. At
    // level 100 a smaller file writes the rectangle of the changed pixels, the others
    // transparent; the default mode the whole frame; below 100 a rectangle inside the frame.
    void checkRoundTrip(const QString &name, const QVector<QImage> &frames, QSize canvas,
                        const GifOptions &options = GifOptions())
    {
        const QString path = dir.filePath(name);
        const QVector<QImage> shown = encodeRecordingShown(path, frames, canvas, nullptr, options);
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.canvasSize, canvas);
        QCOMPARE(gif.frames.size(), shown.size());
        const QVector<QImage> changed = changedPixels(frames, canvas);
        for (int i = 0; i < shown.size(); ++i) {
            const DecodedFrame &frame = gif.frames[i];
            QCOMPARE(frame.canvas, shown[i]);
            if (options.quality < 100) {
                QVERIFY(QRect(QPoint(0, 0), frames[i].size()).contains(frame.rect));
                continue;
            }
            if (!options.smallerFile) {
                QCOMPARE(frame.rect, QRect(QPoint(0, 0), frames[i].size()));
                continue;
            }
            QCOMPARE(frame.rect, boundsOf(changed[i]));
            for (int k = 0; k < frame.indices.size(); ++k) {
                const QPoint p = frame.rect.topLeft()
                                 + QPoint(k % frame.rect.width(), k / frame.rect.width());
                QCOMPARE(frame.indices[k] != '\0', changed[i].constScanLine(p.y())[p.x()] != 0);
            }
        }
    }

private slots:
    void randomSequencesRoundTrip()
    {
        QRandomGenerator random(20240611);
        for (int run = 0; run < 24; ++run) {
            QVector<QImage> frames;
            QSize canvas(1, 1);
            const bool mixedSizes = run % 4 >= 2;
            const int baseWidth = 1 + random.bounded(run < 8 ? 8 : 300);
            const int baseHeight = 1 + random.bounded(run < 8 ? 8 : 200);
            const int count = 2 + random.bounded(6);
            for (int f = 0; f < count; ++f) {
                const int width = mixedSizes ? 1 + random.bounded(baseWidth) : baseWidth;
                const int height = mixedSizes ? 1 + random.bounded(baseHeight) : baseHeight;
                const bool sameSize =
                    !frames.isEmpty() && frames.last().size() == QSize(width, height);
                const int kind = random.bounded(5);
                if (kind == 0 && sameSize) {
                    frames.append(frames.last()); // a still stretch
                } else if (kind == 1 && sameSize) {
                    // A few pixels changed, often on the edges of the frame.
                    QImage touched = frames.last();
                    const auto edgeOrAny = [&random](int side) {
                        const int pick = random.bounded(3);
                        return pick == 0 ? 0 : pick == 1 ? side - 1 : random.bounded(side);
                    };
                    for (int k = 1 + random.bounded(3); k > 0; --k)
                        touched.setPixel(edgeOrAny(width), edgeOrAny(height), random.generate());
                    frames.append(touched);
                } else if (kind == 2) {
                    frames.append(flatFrame(width, height, random.generate()));
                } else {
                    frames.append(noisyFrame(width, height, &random));
                }
                canvas = canvas.expandedTo(frames.last().size());
            }
            // Both kinds, at the exact level and below.
            for (const int quality : {100, 70, 1}) {
                const GifOptions options{run % 2 == 1, quality};
                checkRoundTrip(QString("random%1-%2.gif").arg(run).arg(quality), frames, canvas,
                               options);
            }
        }
    }

    void smallerFileWritesTheChangedRectangle()
    {
        const QRgb a = qRgb(10, 20, 30);
        const QRgb b = qRgb(200, 100, 0);
        QImage corner = flatFrame(8, 6, a);
        corner.setPixel(7, 5, b);
        QImage two = corner;
        two.setPixel(0, 2, b);
        two.setPixel(3, 0, b);
        // Rows never drawn count as changed even in the colour of the row above.
        const QVector<QImage> frames = {flatFrame(8, 3, a), flatFrame(8, 6, a), corner, corner,
                                        two, flatFrame(4, 2, b)};
        checkRoundTrip("rectangles.gif", frames, QSize(8, 6), GifOptions{true});
        DecodedGif gif;
        QVERIFY(decodeGif(dir.filePath("rectangles.gif"), &gif));
        // Nothing changed: one transparent pixel with the smallest table, its delay kept.
        QCOMPARE(gif.frames[3].indices, QByteArray(1, '\0'));
        QCOMPARE(gif.frames[3].localColours.size(), 4);
        QCOMPARE(gif.frames[3].delay, 10);
    }

    void framesOfDifferentSizesShowTheRightPicture()
    {
        // A wide row, then a taller, narrower frame whose second row repeats colours that the
        // first frame drew elsewhere: those pixels are new on the canvas, never transparent.
        QImage wide(4, 1, QImage::Format_RGBA8888);
        QImage tall(2, 2, QImage::Format_RGBA8888);
        const QRgb colours[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200),
                                 qRgb(200, 200, 0)};
        for (int x = 0; x < 4; ++x)
            wide.setPixel(x, 0, colours[x]);
        tall.setPixel(0, 0, colours[0]);
        tall.setPixel(1, 0, colours[1]);
        tall.setPixel(0, 1, colours[2]);
        tall.setPixel(1, 1, colours[3]);
        // Then a black pixel where nothing was drawn yet: the canvas there is not black.
        QImage third = flatFrame(3, 2, colours[1]);
        third.setPixel(2, 1, qRgb(0, 0, 0));
        checkRoundTrip("sizes.gif", {wide, tall, third}, QSize(4, 2));

        DecodedGif gif;
        QVERIFY(decodeGif(dir.filePath("sizes.gif"), &gif));
        const QImage second = gif.frames[1].canvas;
        QCOMPARE(second.pixel(0, 1), colours[2] | 0xFF000000);
        QCOMPARE(second.pixel(1, 1), colours[3] | 0xFF000000);
        QCOMPARE(second.pixel(3, 0), colours[3] | 0xFF000000); // left from the first frame
        QCOMPARE(second.pixelColor(3, 1).alpha(), 0);          // never drawn
        QCOMPARE(gif.frames[1].indices.left(2), QByteArray(2, '\0'));
        QCOMPARE(gif.frames[2].canvas.pixel(2, 1), qRgba(0, 0, 0, 255));
    }

    void framesThatCannotBeStoredAreRefused()
    {
        QVector<bool> written;
        const QString path = dir.filePath("refused.gif");
        encodeRecordingShown(path,
                             {flatFrame(4, 4, qRgb(1, 2, 3)), flatFrame(5, 4, qRgb(1, 2, 3)),
                              flatFrame(4, 5, qRgb(1, 2, 3)), QImage(),
                              flatFrame(2, 2, qRgb(9, 9, 9))},
                             QSize(4, 4), &written);
        QCOMPARE(written, QVector<bool>({true, false, false, false, true}));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 2);
        QCOMPARE(gif.frames[0].canvas, flatFrame(4, 4, qRgb(1, 2, 3))); // a flat frame is exact

        GifFileState state = openGifStream(QFile::encodeName(path).constData(), 4, 4, 10);
        const QImage frame = flatFrame(4, 4, qRgb(1, 2, 3));
        QVERIFY(!GifEncoder().encodeFrame(&state, frame.constBits(), 4, 4, 10, 1));
        QVERIFY(!GifEncoder().encodeFrame(&state, frame.constBits(), 4, 4, 10, 9));
        QVERIFY(closeGifStream(&state));
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 0);
    }

    void onlyChangedPixelsAreWritten()
    {
        // First frame: no pixel transparent. Second frame identical: all transparent. Third:
        // one pixel changed, which alone builds the palette. With fewer pixels than entries
        // every pixel gets an entry of its own, so all are shown exactly.
        QRandomGenerator random(7);
        const QImage first = noisyFrame(15, 15, &random);
        QImage third = first;
        third.setPixel(5, 7, qRgb(12, 34, 56));
        const QString path = dir.filePath("palette.gif");
        encodeRecordingShown(path, {first, first, third}, QSize(15, 15));
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), 3);
        QVERIFY(!gif.frames[0].indices.contains('\0'));
        QCOMPARE(gif.frames[1].indices, QByteArray(225, '\0'));
        QCOMPARE(gif.frames[2].indices.count('\0'), 224);
        QVERIFY(gif.frames[2].indices[7 * 15 + 5] != '\0');
        QCOMPARE(gif.frames[0].canvas, opaque(first));
        QCOMPARE(gif.frames[2].canvas, opaque(third));
    }

    void clearPixelsAndDisposal()
    {
        // Canvas-sized frames with clear pixels (alpha below half), in both kinds of file:
        // giflib, honouring the disposal methods, must show what the encoder says, and that
        // is clear exactly where the frame is. A frame is disposed of ("restore to
        // background", 2) exactly when the next one clears a pixel it leaves showing.
        QRandomGenerator random(41);
        for (int run = 0; run < 20; ++run) {
            const QSize canvas(1 + random.bounded(run < 8 ? 8 : 120),
                               1 + random.bounded(run < 8 ? 8 : 90));
            const auto someRect = [&random, canvas] {
                const int x = random.bounded(canvas.width());
                const int y = random.bounded(canvas.height());
                return QRect(x, y, 1 + random.bounded(canvas.width() - x),
                             1 + random.bounded(canvas.height() - y));
            };
            QVector<QImage> frames;
            for (int f = 0, count = 2 + random.bounded(6); f < count; ++f) {
                const int kind = frames.isEmpty() ? 2 + random.bounded(3) : random.bounded(5);
                if (kind == 0)
                    frames.append(frames.last()); // a still stretch
                else if (kind == 1)
                    frames.append(withClearRect(frames.last(), someRect()));
                else if (kind == 2)
                    frames.append(withClearRect(flatFrame(canvas.width(), canvas.height(),
                                                          random.generate()), someRect()));
                else if (kind == 3)
                    frames.append(noisyFrame(canvas.width(), canvas.height(), &random));
                else
                    frames.append(opaqueFrame(noisyFrame(canvas.width(), canvas.height(), &random)));
            }
            GifOptions options;
            options.alpha = true;
            options.smallerFile = run % 2 == 1;
            const QString path = dir.filePath(QString("clear%1.gif").arg(run));
            const QVector<QImage> shown = encodeRecordingShown(path, frames, canvas, nullptr, options);
            DecodedGif gif;
            QVERIFY(decodeGif(path, &gif));
            QCOMPARE(gif.frames.size(), frames.size());
            for (int i = 0; i < frames.size(); ++i) {
                QCOMPARE(gif.frames[i].canvas, shown[i]);
                bool clears = false;
                for (int y = 0; y < canvas.height(); ++y) {
                    for (int x = 0; x < canvas.width(); ++x) {
                        const bool clear = frames[i].constScanLine(y)[x * 4 + 3] < 128;
                        QCOMPARE(shown[i].pixelColor(x, y).alpha() == 0, clear);
                        clears = clears
                                 || (i + 1 < frames.size() && !clear
                                     && frames[i + 1].constScanLine(y)[x * 4 + 3] < 128);
                    }
                }
                if (i + 1 < frames.size())
                    QCOMPARE(gif.frames[i].disposal, clears ? 2 : 1);
            }
        }
    }

    void stickerOverAClearBackground()
    {
        // A square moving right: where it was, the background shows again. Alpha 127 is
        // clear, 128 opaque; frames of other sizes are refused with alpha.
        QImage frames[3];
        for (int f = 0; f < 3; ++f) {
            frames[f] = QImage(20, 12, QImage::Format_RGBA8888);
            frames[f].fill(QColor(90, 90, 90, 127));
            for (int y = 3; y < 9; ++y)
                for (int x = 2 + 4 * f; x < 8 + 4 * f; ++x)
                    frames[f].setPixelColor(x, y, QColor(250, 40, 10, 128));
        }
        for (const bool smallerFile : {false, true}) {
            GifOptions options;
            options.alpha = true;
            options.smallerFile = smallerFile;
            const QString path = dir.filePath("sticker.gif");
            QVector<bool> written;
            encodeRecordingShown(path, {frames[0], frames[1], flatFrame(10, 12, qRgb(1, 1, 1)), frames[2]},
                   QSize(20, 12), &written, options);
            QCOMPARE(written, QVector<bool>({true, true, false, true}));
            DecodedGif gif;
            QVERIFY(decodeGif(path, &gif));
            QCOMPARE(gif.frames.size(), 3);
            for (int f = 0; f < 3; ++f) {
                const QImage &canvas = gif.frames[f].canvas;
                QCOMPARE(canvas.pixel(0, 0), qRgba(0, 0, 0, 0));
                QCOMPARE(canvas.pixel(2 + 4 * f, 3), qRgba(250, 40, 10, 255));
                QCOMPARE(canvas.pixel(7 + 4 * f, 8), qRgba(250, 40, 10, 255));
                if (f > 0)
                    QCOMPARE(canvas.pixel(4 * f - 1, 5), qRgba(0, 0, 0, 0));
                QCOMPARE(gif.frames[f].disposal, f < 2 ? 2 : 1);
            }
            // The first frame's clear pixels are transparent ones; a smaller file leaves
            // them out.
            QCOMPARE(gif.frames[0].rect, smallerFile ? QRect(2, 3, 6, 6) : QRect(0, 0, 20, 12));
            QCOMPARE(gif.frames[0].indices.count('\0'), smallerFile ? 0 : 20 * 12 - 36);
        }
    }
};

QTEST_GUILESS_MAIN(TestGifEncoder)
#include "tst_gifencoder.moc"
