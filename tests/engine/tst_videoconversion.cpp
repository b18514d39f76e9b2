// A video converted to a GIF through the video tool's part alone, without a window, with
// the real ffmpeg on clips made here.
#include "support/enginetesthelpers.h"
#include "support/gifdecoder.h"
#include "videotool/conversionlimits.h"
#include "videotool/videoconversion.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using Outcome = VideoConversion::Outcome;

namespace {

const int toolTimeout = 120000;
const QByteArray earlierGif = "the user's earlier GIF";

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
        QTest::newRow("not a video") << "ffmpeg" << "junk.mp4" << qint64(0) << Outcome::ToolFailed;
        // The clip's length is not known here, so the tool runs and writes an empty GIF.
        QTest::newRow("nothing in the range")
            << "ffmpeg" << "clip.mp4" << qint64(60000) << Outcome::NoFrames;
        QTest::newRow("no tool") << "no-such-tool" << "clip.mp4" << qint64(0)
                                 << Outcome::ToolNotStarted;
    }

    void failedRunsLeaveTheEarlierGif()
    {
        QFETCH(QString, tool);
        QFETCH(QString, video);
        QFETCH(qint64, startMs);
        if (tool != "ffmpeg")
            tool = temp.path() + "/" + tool;
        QProcess process;
        VideoConversion conversion(&process);
        QSignalSpy finished(&conversion, &VideoConversion::finished);
        QVERIFY(conversion.start(tool, temp.path() + "/" + video, VideoFacts(),
                                 GifSettings{startMs, 1000}, gif));
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

        QVERIFY(conversion.start("ffmpeg", clip, clipFacts, GifSettings{}, gif));
        conversion.cancel();
        QVERIFY(!conversion.isRunning() && process.state() == QProcess::NotRunning);
        QTest::qWait(300);
        QCOMPARE(finished.size(), 0);
        QCOMPARE(readFile(gif), earlierGif);
        QCOMPARE(partialFiles(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestVideoConversion)
#include "tst_videoconversion.moc"
