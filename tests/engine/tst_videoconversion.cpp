// A video converted to a GIF through the video tool's part alone, without a window, with
// the real ffmpeg on clips made here.
#include "support/enginetesthelpers.h"
#include "support/gifdecoder.h"
#include "videotool/conversionlimits.h"
#include "videotool/videoconversion.h"
#include "videotool/videoprobe.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>

using Outcome = VideoConversion::Outcome;

namespace {

const int toolTimeout = 120000;
const QByteArray earlierGif = "the user's earlier GIF";

bool runFfmpeg(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + arguments);
    return ffmpeg.waitForFinished(toolTimeout) && ffmpeg.exitCode() == 0;
}

// Peak signal-to-noise ratio of b against a, of the same size, in dB over red, green, blue.
double psnr(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double squares = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += d * d;
        }
    }
    const double mean = squares / (3.0 * x.width() * x.height());
    return mean == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mean);
}

}

class TestVideoConversion : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QString clip, gif;
    const VideoFacts clipFacts{VideoFacts::Video, QSize(320, 240), 3000};

    QStringList partialFiles() const { return QDir(temp.path()).entryList({"*.part"}); }

private slots:
    void initTestCase()
    {
        clip = temp.path() + "/clip.mp4";
        gif = temp.path() + "/clip.gif";
        QProcess ffmpeg;
        ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        ffmpeg.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i",
                                "testsrc=size=320x240:rate=25", "-t", "3", "-pix_fmt",
                                "yuv420p", clip});
        QVERIFY(ffmpeg.waitForFinished(toolTimeout) && ffmpeg.exitCode() == 0);
        QVERIFY(writeFile(temp.path() + "/junk.mp4", "this is not a video\n"));
    }

    void init() { QVERIFY(writeFile(gif, earlierGif)); }

    // Below quality 100 the tool only decodes and our encoder writes the frames the tool
    // gives, from the start time on, at the rate and size asked, lasting as long as the clip.
    void encoderWritesTheClipFromItsStart()
    {
        // The colours turn with time, so that every moment of the clip looks different.
        const QString turning = temp.path() + "/turning.mp4";
        QVERIFY(runFfmpeg({"-f", "lavfi", "-i",
                           "testsrc2=size=320x240:rate=25,hue=H=2*PI*t/3", "-t", "3",
                           "-pix_fmt", "yuv420p", turning}));
        const QString still = temp.path() + "/still.png";
        QVERIFY(runFfmpeg({"-ss", "1.5", "-i", turning, "-frames:v", "1", "-vf",
                           "scale=160:120", still}));
        const VideoFacts facts = probeVideo("ffprobe", turning);
        QCOMPARE(facts.size, QSize(320, 240));

        QProcess process;
        VideoConversion conversion(&process);
        QSignalSpy progress(&conversion, &VideoConversion::updateprogress);
        QSignalSpy finished(&conversion, &VideoConversion::finished);
        GifSettings settings{1500, 1000, 160, 0, 15};
        settings.quality = 70;
        QVERIFY(conversion.start("ffmpeg", turning, facts, settings, gif));
        QCOMPARE(conversion.progress(), 0);
        QVERIFY(finished.wait(toolTimeout));
        QCOMPARE(finished.first().first().value<Outcome>(), Outcome::Completed);
        const QList<int> values = progressOf(progress);
        QVERIFY(values.size() >= 15 && values.last() == 10000);
        QVERIFY(std::is_sorted(values.begin(), values.end()));

        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(160, 120));
        QCOMPARE(decoded.frames.size(), 15);
        int length = 0;
        for (const DecodedFrame &frame : decoded.frames)
            length += frame.delay;
        QCOMPARE(length, 100);
        const QImage first = decoded.frames.first().canvas;
        const double matching = psnr(QImage(still), first);
        QVERIFY2(matching > 28, qPrintable(QString::number(matching)));
        // Half a second later the clip looks different.
        QVERIFY(psnr(QImage(still), decoded.frames.at(7).canvas) < matching - 10);
        QCOMPARE(partialFiles(), QStringList());
    }

    // A clip filmed upright on a phone is stored sideways with a turn to apply: its frames
    // come out upright, so the probe reports them so and our encoder gets their real size.
    void turnedClipKeepsItsShownSize()
    {
        const QString turned = temp.path() + "/turned.mp4";
        QVERIFY(runFfmpeg({"-i", clip, "-metadata:s:v", "rotate=90", "-c", "copy", turned}));
        const VideoFacts facts = probeVideo("ffprobe", turned);
        QCOMPARE(facts.size, QSize(240, 320));
        QProcess process;
        VideoConversion conversion(&process);
        QSignalSpy finished(&conversion, &VideoConversion::finished);
        GifSettings settings{0, 200, 0, 160, 10};
        settings.quality = 70;
        QVERIFY(conversion.start("ffmpeg", turned, facts, settings, gif));
        QVERIFY(finished.wait(toolTimeout));
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(120, 160));
    }

    void convertsWithProgressAndReplacesTheGif()
    {
        QProcess process;
        VideoConversion conversion(&process);
        QSignalSpy progress(&conversion, &VideoConversion::updateprogress);
        QSignalSpy finished(&conversion, &VideoConversion::finished);
        // One second from 1.5 s, 160 wide, at 10 frames a second.
        QVERIFY(conversion.start("ffmpeg", clip, clipFacts, GifSettings{1500, 1000, 160, 0, 10},
                                 gif));
        QVERIFY(conversion.isRunning());
        QVERIFY(finished.wait(toolTimeout));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().value<Outcome>(), Outcome::Completed);
        QVERIFY(!conversion.isRunning());

        const QList<int> values = progressOf(progress);
        QVERIFY(!values.isEmpty() && values.last() == 10000);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(160, 120));
        QVERIFY2(qAbs(decoded.frames.size() - 10) <= 1,
                 qPrintable(QString::number(decoded.frames.size())));
        QCOMPARE(partialFiles(), QStringList());
    }

    void failedRunsLeaveTheEarlierGif_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("video");
        QTest::addColumn<qint64>("startMs");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("quality");
        for (int quality : {100, 70}) {
            const QByteArray by = quality == 100 ? ", by the tool" : ", by our encoder";
            QTest::newRow("not a video" + by)
                << "ffmpeg" << "junk.mp4" << qint64(0) << Outcome::ToolFailed << quality;
            // The clip's length is not known here, so the tool runs and gives nothing.
            QTest::newRow("nothing in the range" + by)
                << "ffmpeg" << "clip.mp4" << qint64(60000) << Outcome::NoFrames << quality;
            QTest::newRow("no tool" + by) << "no-such-tool" << "clip.mp4" << qint64(0)
                                          << Outcome::ToolNotStarted << quality;
        }
    }

    void failedRunsLeaveTheEarlierGif()
    {
        QFETCH(QString, tool);
        QFETCH(QString, video);
        QFETCH(qint64, startMs);
        QFETCH(int, quality);
        if (tool != "ffmpeg")
            tool = temp.path() + "/" + tool;
        QProcess process;
        VideoConversion conversion(&process);
        QSignalSpy finished(&conversion, &VideoConversion::finished);
        // Our encoder needs the size when the clip's is not known.
        GifSettings settings{startMs, 1000, 32, 24};
        settings.quality = quality;
        QVERIFY(conversion.start(tool, temp.path() + "/" + video, VideoFacts(), settings, gif));
        // Even a tool that cannot start is reported only once the caller is back.
        QCOMPARE(finished.size(), 0);
        QVERIFY(finished.wait(toolTimeout));
        QTest::qWait(100);
        QCOMPARE(finished.size(), 1);
        QTEST(finished.first().first().value<Outcome>(), "outcome");
        QCOMPARE(readFile(gif), earlierGif);
        QCOMPARE(partialFiles(), QStringList());
    }

    void refusedOrCalledOffLeavesNothing()
    {
        QProcess process;
        VideoConversion conversion(&process);
        QSignalSpy finished(&conversion, &VideoConversion::finished);
        QString reason;
        QVERIFY(!conversion.start("ffmpeg", clip, clipFacts, GifSettings{3000}, gif, &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(!conversion.start("ffmpeg", clip, clipFacts, GifSettings{}, temp.path(), &reason));
        QCOMPARE(reason, QString("it is a folder"));

        // Our encoder needs a size that the clip's facts or the settings tell.
        GifSettings encoded;
        encoded.quality = 70;
        QVERIFY(!conversion.start("ffmpeg", clip, VideoFacts(), encoded, gif, &reason));

        // Called off as the tool starts, and while our encoder writes frames of the largest
        // size.
        GifSettings large = encoded;
        large.width = MaxVideoGifSide;
        const QList<QPair<GifSettings, int>> runs{{GifSettings{}, 0}, {encoded, 0}, {large, 500}};
        for (const auto &run : runs) {
            QVERIFY(conversion.start("ffmpeg", clip, clipFacts, run.first, gif));
            QTest::qWait(run.second);
            conversion.cancel();
            QVERIFY(!conversion.isRunning() && process.state() == QProcess::NotRunning);
            QTest::qWait(300);
            QCOMPARE(finished.size(), 0);
            QCOMPARE(readFile(gif), earlierGif);
            QCOMPARE(partialFiles(), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TestVideoConversion)
#include "tst_videoconversion.moc"
