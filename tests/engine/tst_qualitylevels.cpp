// Quality levels below 100: every level shows what it says it shows, lower levels give
// smaller files, and each keeps a floor of similarity to the pictures.
#include "support/enginetesthelpers.h"
#include "support/gifdecoder.h"
#include "support/lumassim.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

// A short clip as a camera takes it: drifting smooth colours with grain that changes every
// frame, a striped card sliding across, and a still caption bar with sharp text. Large
// enough for the encoder to choose each frame's strings in two halves.
QVector<QImage> cameraClip()
{
    QRandomGenerator random(24);
    QVector<QImage> frames;
    for (int f = 0; f < 10; ++f) {
        QImage image(256, 144, QImage::Format_RGBA8888);
        for (int y = 0; y < 144; ++y) {
            uchar *row = image.scanLine(y);
            for (int x = 0; x < 256; ++x) {
                int red = int(110 + 90 * std::sin((x + 2 * f) * 0.035));
                int green = int(100 + 70 * std::cos(y * 0.05 + f * 0.1));
                int blue = int(140 + 60 * std::sin((x + y) * 0.02));
                const int grain = random.bounded(9) - 4;
                const bool card = x >= 10 + 14 * f && x < 64 + 14 * f && y >= 24 && y < 84;
                if (card) {
                    const bool stripe = (x - 9 * f + y / 3) % 8 < 4;
                    red = stripe ? 230 : 30;
                    green = stripe ? 200 : 60;
                    blue = stripe ? 40 : 120;
                }
                if (y >= 120) { // the caption: still, no grain
                    const bool letter = y >= 126 && y < 136 && x % 6 < 3 && (x / 6) % 4 != 3;
                    red = green = blue = letter ? 240 : 36;
                } else {
                    red += grain;
                    green += grain;
                    blue += grain;
                }
                row[x * 4 + 0] = uchar(qBound(0, red, 255));
                row[x * 4 + 1] = uchar(qBound(0, green, 255));
                row[x * 4 + 2] = uchar(qBound(0, blue, 255));
                row[x * 4 + 3] = 255;
            }
        }
        frames.append(image);
    }
    return frames;
}

// The clip with a clear hole that moves across it, so pixels turn clear after showing a
// colour and opaque again after being clear.
QVector<QImage> clipWithMovingHole(QVector<QImage> frames)
{
    for (int f = 0; f < frames.size(); ++f) {
        for (int y = 30; y < 90; ++y) {
            uchar *row = frames[f].scanLine(y);
            for (int x = 20 * f; x < 20 * f + 50 && x < frames[f].width(); ++x)
                row[x * 4 + 3] = 0;
        }
    }
    return frames;
}

GifOptions atLevel(int quality, bool smallerFile = false, bool alpha = false)
{
    GifOptions options;
    options.quality = quality;
    options.smallerFile = smallerFile;
    options.alpha = alpha;
    return options;
}

} // namespace

class TestQualityLevels : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    const QVector<QImage> clip = cameraClip();

private slots:
    // What giflib composites is what the encoder says a viewer shows, in both kinds of file:
    // the next frame is compared with it, so any difference would grow frame by frame.
    void everyLevelShowsWhatItSays()
    {
        for (const bool smallerFile : {false, true}) {
            for (const int quality : {99, 80, 60, 40, 20, 1}) {
                const QString path = dir.filePath(QString("shown%1-%2.gif")
                                                      .arg(quality)
                                                      .arg(smallerFile));
                const QVector<QImage> shown = encodeRecordingShown(
                    path, clip, clip[0].size(), nullptr, atLevel(quality, smallerFile));
                DecodedGif gif;
                QVERIFY(decodeGif(path, &gif));
                QCOMPARE(gif.frames.size(), clip.size());
                for (int i = 0; i < clip.size(); ++i)
                    QCOMPARE(gif.frames[i].canvas, shown[i]);
            }
        }
    }

    // A write under a size limit changes the level between frames: far up and down, each
    // frame still shows what the encoder says.
    void levelsChangedBetweenFramesShowWhatTheySay()
    {
        const QString path = dir.filePath("steered.gif");
        const QVector<int> levels{20, 95, 40, 1, 99, 60, 30, 80, 50};
        const QVector<QImage> shown = encodeRecordingShown(
            path, clip, clip[0].size(), nullptr, atLevel(70), levels);
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.frames.size(), clip.size());
        for (int i = 0; i < clip.size(); ++i)
            QCOMPARE(gif.frames[i].canvas, shown[i]);
    }

    // Clear pixels stay clear at every level: near matches and kept pixels must never paint
    // a colour where the picture is clear, nor leave one showing there.
    void clearPixelsStayClearAtEveryLevel()
    {
        const QVector<QImage> holed = clipWithMovingHole(clip);
        for (const bool smallerFile : {false, true}) {
            for (const int quality : {100, 70, 1}) {
                const QString path = dir.filePath(QString("clear%1-%2.gif")
                                                      .arg(quality)
                                                      .arg(smallerFile));
                const QVector<QImage> shown = encodeRecordingShown(
                    path, holed, holed[0].size(), nullptr, atLevel(quality, smallerFile, true));
                DecodedGif gif;
                QVERIFY(decodeGif(path, &gif));
                QCOMPARE(gif.frames.size(), holed.size());
                for (int i = 0; i < holed.size(); ++i) {
                    QCOMPARE(gif.frames[i].canvas, shown[i]);
                    const QImage &canvas = gif.frames[i].canvas;
                    for (int y = 0; y < canvas.height(); ++y) {
                        const uchar *source = holed[i].constScanLine(y);
                        const uchar *out = canvas.constScanLine(y);
                        for (int x = 0; x < canvas.width(); ++x) {
                            const bool clear = source[x * 4 + 3] < 128;
                            QVERIFY2(clear == (out[x * 4 + 3] == 0),
                                     qPrintable(QString("level %1 frame %2 at %3,%4")
                                                    .arg(quality).arg(i).arg(x).arg(y)));
                        }
                    }
                }
            }
        }
    }

    // Each level down gives a file no larger than the one above, and the pictures stay
    // above a floor of similarity that falls with the level.
    void lowerLevelsTradeSizeForSimilarity()
    {
        const QList<QPair<int, double>> floors = {
            {100, 0.90}, {90, 0.945}, {80, 0.93}, {70, 0.915}, {60, 0.895},
            {50, 0.875}, {40, 0.86},  {30, 0.84}, {20, 0.82},  {10, 0.80}};
        qint64 above = 0;
        for (const auto &floor : floors) {
            const QString path = dir.filePath(QString("level%1.gif").arg(floor.first));
            const QVector<QImage> shown = encodeRecordingShown(
                path, clip, clip[0].size(), nullptr, atLevel(floor.first));
            const qint64 size = QFileInfo(path).size();
            double similarity = 0;
            for (int i = 0; i < clip.size(); ++i)
                similarity += lumaSsim(shown[i], clip[i]) / clip.size();
            QVERIFY2(similarity >= floor.second, qPrintable(QString::number(similarity)));
            if (above)
                QVERIFY2(size <= above, qPrintable(QString("%1 > %2").arg(size).arg(above)));
            above = size;
        }
    }
};

QTEST_GUILESS_MAIN(TestQualityLevels)
#include "tst_qualitylevels.moc"
