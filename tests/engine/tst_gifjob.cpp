// What a job makes of its pictures before the encoder sees them: the canvas, each frame as
// the viewer sees it, and the delays of a frame rate.
#include "rules/framedelay.h"
#include "rules/sizetext.h"
#include "support/enginetesthelpers.h"
#include "workers/framecompose.h"
#include "workers/gifjob.h"

#include <QtTest>

namespace {

GifJobChoices placed(Placement placement, QSize resize = QSize(0, 0))
{
    GifJobChoices choices;
    choices.placement = placement;
    choices.resize = resize;
    return choices;
}

} // namespace

class TestGifJob : public QObject
{
    Q_OBJECT

private slots:
    void canvasAndPlacement()
    {
        const QList<QSize> sizes = {QSize(700, 400), QSize(300, 200), QSize(10, 5)};
        QCOMPARE(canvasForPictures(sizes, GifJobChoices()), QSize(700, 400));
        QCOMPARE(canvasForPictures({QSize(5, 3)}, GifJobChoices()), MinGifCanvas);
        const QSize canvas(700, 400);
        QCOMPARE(placedRect(QSize(300, 200), canvas, placed(Placement::TopLeft)),
                 QRect(0, 0, 300, 200));
        QCOMPARE(placedRect(QSize(300, 201), canvas, placed(Placement::Centred)),
                 QRect(200, 99, 300, 201));
        // Scaled to fit: as large as fits, proportions kept, in the middle; up or down.
        QCOMPARE(placedRect(QSize(300, 200), canvas, placed(Placement::ScaledToFit)),
                 QRect(50, 0, 600, 400));
        QCOMPARE(placedRect(QSize(1400, 200), canvas, placed(Placement::ScaledToFit)),
                 QRect(0, 150, 700, 100));
    }

    void resizeKeepsTheProportions()
    {
        QCOMPARE(resizedPicture(QSize(640, 480), QSize(0, 0)), QSize(640, 480));
        QCOMPARE(resizedPicture(QSize(640, 480), QSize(320, 0)), QSize(320, 240));
        QCOMPARE(resizedPicture(QSize(640, 480), QSize(0, 100)), QSize(133, 100));
        QCOMPARE(resizedPicture(QSize(640, 480), QSize(1280, 0)), QSize(1280, 960));
        QCOMPARE(resizedPicture(QSize(640, 480), QSize(400, 400)), QSize(400, 300));
        QCOMPARE(resizedPicture(QSize(1000, 1), QSize(10, 0)), QSize(10, 1));
        // The canvas follows the resized pictures; placement uses them too.
        const GifJobChoices half = placed(Placement::Centred, QSize(320, 0));
        const QSize canvas = canvasForPictures({QSize(640, 480), QSize(320, 480)}, half);
        QCOMPARE(canvas, QSize(320, 480));
        QCOMPARE(placedRect(QSize(640, 480), canvas, half), QRect(0, 120, 320, 240));
    }

    void framesAsTheViewerSeesThem()
    {
        // Uncovered canvas clear; alpha below half clear, from half on opaque at its colour.
        QImage picture(2, 1, QImage::Format_RGBA8888);
        picture.setPixelColor(0, 0, QColor(200, 10, 10, 127));
        picture.setPixelColor(1, 0, QColor(200, 10, 10, 128));
        const QImage frame = composeOnCanvas(picture, QSize(3, 2), placed(Placement::Centred));
        QCOMPARE(frame.size(), QSize(3, 2));
        QCOMPARE(frame.format(), QImage::Format_RGBA8888);
        QCOMPARE(frame.pixel(0, 0), qRgba(0, 0, 0, 0));
        QCOMPARE(frame.pixel(1, 0), qRgba(200, 10, 10, 255));
        for (const QPoint p : {QPoint(2, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1)})
            QCOMPARE(frame.pixel(p), qRgba(0, 0, 0, 0));

        // A canvas-sized opaque frame passes through untouched, without a copy.
        const QImage opaque = flatFrame(30, 20, qRgb(1, 2, 3)).convertToFormat(QImage::Format_RGBX8888);
        const QImage same = composeOnCanvas(opaque, QSize(30, 20), GifJobChoices());
        QCOMPARE(same.constBits(), opaque.constBits());
        // Opaque pictures in any format come out as RGBX8888, alpha 255.
        const QImage fromRgb32 = composeOnCanvas(QImage(opaque).convertToFormat(QImage::Format_RGB32),
                                                 QSize(30, 20), GifJobChoices());
        QCOMPARE(fromRgb32, same);
    }

    void shrinkingAveragesTheArea()
    {
        // Black and white stripes one pixel wide: a nearest-pixel scaling keeps one of them,
        // an area average gives grey. Clear pixels take no part in a colour.
        QImage stripes(64, 64, QImage::Format_RGB32);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 64; ++y)
                stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        const QImage small = composeOnCanvas(stripes, QSize(20, 20), placed(Placement::TopLeft, QSize(16, 0)));
        QCOMPARE(small.format(), QImage::Format_RGBA8888);
        for (const QPoint p : {QPoint(3, 3), QPoint(8, 12)}) {
            const QColor c = small.pixelColor(p);
            QVERIFY2(qAbs(c.red() - 128) <= 2 && c.alpha() == 255, qPrintable(c.name()));
        }
        QCOMPARE(small.pixel(17, 2), qRgba(0, 0, 0, 0));

        QImage halfClear(64, 64, QImage::Format_ARGB32);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 64; ++y)
                halfClear.setPixel(x, y, x % 4 == 0 ? qRgba(0, 0, 255, 0) : qRgb(250, 0, 0));
        const QImage red = composeOnCanvas(halfClear, QSize(20, 20), placed(Placement::TopLeft, QSize(16, 16)));
        const QColor c = red.pixelColor(5, 5);
        QVERIFY2(qAbs(c.red() - 250) <= 2 && c.blue() == 0 && c.alpha() == 255, qPrintable(c.name()));
    }

    void delaysOfAFrameRate()
    {
        QList<int> thirty;
        int total = 0;
        for (int i = 0; i < 30; ++i) {
            thirty << delayOfFrame(30, i);
            total += thirty.last();
        }
        QCOMPARE(thirty.mid(0, 6), QList<int>({3, 3, 4, 3, 3, 4}));
        QCOMPARE(total, 100);
        for (int fps = MinFrameRate; fps <= MaxFrameRate; ++fps) {
            long long elapsed = 0;
            for (int i = 0; i < 500; ++i) {
                const int delay = delayOfFrame(fps, i);
                QVERIFY(delay >= MinFrameDelay);
                if (100 % fps == 0)
                    QCOMPARE(delay, 100 / fps);
                elapsed += delay;
                const double exact = 100.0 * (i + 1) / fps;
                QVERIFY2(qAbs(elapsed - exact) < 1.0, qPrintable(QString("%1 fps").arg(fps)));
            }
        }
        // A job gives its frames these delays, and keeps the ones they have.
        QList<FrameSource> frames;
        for (int i = 0; i < 4; ++i)
            frames << FrameSource::fromImage(flatFrame(20, 20, qRgb(1, 1, 1)));
        frames[1].delay = 50;
        GifJobChoices choices;
        choices.frameRate = 30;
        const GifJob job = makeGifJob("x.gif", frames, choices);
        QCOMPARE(job.frames[0].delay, 3);
        QCOMPARE(job.frames[1].delay, 50);
        QCOMPARE(job.frames[2].delay, 4);
    }

    // Size limits as typed and sizes as shown: a file under "10M" fits a limit of 10000000.
    void sizeTexts()
    {
        const QList<QPair<QString, qint64>> read = {{"800000", 800000}, {"500K", 500000},
                                                    {"2.5m", 2500000},  {" 10M ", 10000000},
                                                    {"1.500K", 1500},   {"0.001M", 1000}};
        for (const auto &size : read) {
            qint64 bytes = 0;
            QVERIFY2(sizeTextToBytes(size.first, &bytes) && bytes == size.second,
                     qPrintable(size.first));
        }
        for (const char *wrong : {"", "0", "0K", "1.5", "1.0001K", "-3M", "10MB", "1e6"}) {
            qint64 bytes = -1;
            QVERIFY2(!sizeTextToBytes(wrong, &bytes) && bytes == -1, wrong);
        }
        const QList<QPair<qint64, QString>> shown = {
            {950, "950 bytes"}, {12345, "12 KB"},      {9960, "10 KB"},
            {999600, "1 MB"},   {6430000, "6.4 MB"},   {25000000, "25 MB"}};
        for (const auto &size : shown)
            QCOMPARE(bytesToSizeText(size.first), size.second);
    }
};

QTEST_GUILESS_MAIN(TestGifJob)
#include "tst_gifjob.moc"
