// The video form's time texts, the tool's command lines and progress report, the GIF's size
// and what a conversion may be asked.
#include "videotool/conversionlimits.h"
#include "videotool/toolprogress.h"
#include "videotool/videotimetext.h"
#include "videotool/videotoolcommand.h"
#include <QtTest>

Q_DECLARE_METATYPE(GifSettings)

class TestVideoToolCommand : public QObject
{
    Q_OBJECT

private slots:
    void timeText_data()
    {
        QTest::addColumn<bool>("duration"); // the duration field, or else the start field
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("ms"); // -1: refused
        QTest::newRow("h:m:s") << false << "1:00:05" << qint64(3605000);
        QTest::newRow("m:s") << false << "1:30" << qint64(90000);
        QTest::newRow("plain seconds") << false << "90" << qint64(90000);
        QTest::newRow("decimal seconds") << false << "2.5" << qint64(2500);
        QTest::newRow("decimal after m:s") << false << "0:02.5" << qint64(2500);
        QTest::newRow("empty middle part") << false << "1::5" << qint64(3605000);
        QTest::newRow("no range check") << false << "00:99:99" << qint64(6039000);
        QTest::newRow("empty is the start") << false << " " << qint64(0);
        QTest::newRow("letters") << false << "abc" << qint64(-1);
        QTest::newRow("four parts") << false << "1:2:3:4" << qint64(-1);
        QTest::newRow("decimal minutes") << false << "1.5:00" << qint64(-1);
        QTest::newRow("negative") << false << "-5" << qint64(-1);
        QTest::newRow("more than milliseconds") << false << "1.2345" << qint64(-1);
        QTest::newRow("a lone point") << false << "." << qint64(-1);
        QTest::newRow("decimal") << true << "1.5" << qint64(1500);
        QTest::newRow("two decimals") << true << "0.25" << qint64(250);
        QTest::newRow("empty is the whole rest") << true << "" << qint64(0);
        QTest::newRow("longest") << true << "10000" << qint64(10000000);
        QTest::newRow("too long") << true << "10000.01" << qint64(-1);
        QTest::newRow("three decimals") << true << "1.125" << qint64(-1);
        QTest::newRow("two points") << true << "1.5.2" << qint64(-1);
    }

    void timeText()
    {
        QFETCH(bool, duration);
        QFETCH(QString, text);
        QFETCH(qint64, ms);
        qint64 read = -1;
        const bool taken = duration ? durationTextToMs(text, &read) : startTextToMs(text, &read);
        QCOMPARE(taken ? read : -1, ms);
    }

    void timesShownAsTheyRun()
    {
        QCOMPARE(startTextFromMs(3605000), QString("01:00:05"));
        QCOMPARE(startTextFromMs(25 * 3600000), QString("25:00:00"));
        QCOMPARE(startTextFromMs(2500), QString("00:00:02.5"));
        QCOMPARE(secondsTextFromMs(1050), QString("1.05"));
        QCOMPARE(secondsTextFromMs(90000), QString("90"));
    }

    void conversionArguments_data()
    {
        QTest::addColumn<GifSettings>("settings");
        QTest::addColumn<QString>("expected");
        const QString report = "-nostats -progress pipe:1 ";
        const QString palette = ",split[a][b];[a]palettegen[p];[b][p]paletteuse=dither=bayer:"
                                "bayer_scale=3";
        QTest::newRow("whole clip at its own size")
            << GifSettings{} << report + "-i v.mp4 -r 15 -f gif -y o.gif";
        QTest::newRow("decimal start and length, both sides")
            << GifSettings{2500, 1500, 320, 240, 15, false}
            << report + "-ss 2.5 -t 1.5 -i v.mp4 -r 15 -s 320x240 -f gif -y o.gif";
        QTest::newRow("width alone keeps proportions")
            << GifSettings{90000, 0, 480, 0, 10, false}
            << report + "-ss 90 -i v.mp4 -r 10 -vf scale=480:-1 -f gif -y o.gif";
        QTest::newRow("height alone keeps proportions")
            << GifSettings{0, 0, 0, 200, 25, false}
            << report + "-i v.mp4 -r 25 -vf scale=-1:200 -f gif -y o.gif";
        QTest::newRow("palette from the clip")
            << GifSettings{0, 3000, 0, 0, 30, true}
            << report + "-t 3 -i v.mp4 -r 30 -vf fps=30" + palette + " -f gif -y o.gif";
        QTest::newRow("palette from the clip, scaled")
            << GifSettings{0, 0, 320, 240, 5, true}
            << report + "-i v.mp4 -r 5 -vf fps=5,scale=320:240" + palette + " -f gif -y o.gif";
    }

    void conversionArguments()
    {
        QFETCH(GifSettings, settings);
        QFETCH(QString, expected);
        QCOMPARE(::conversionArguments(settings, "v.mp4", "o.gif").join(' '), expected);
    }

    void progressFromTheToolsReport()
    {
        ToolProgress progress;
        progress.restart(0);
        progress.add("out_time_us=500000\n");
        QCOMPARE(progress.progress(), -1);

        // Lines arrive in pieces, among the tool's log.
        progress.restart(2000);
        progress.add("[gif @ 0x1] some log\nframe=3\nout_time_us=5");
        QCOMPARE(progress.progress(), 0);
        progress.add("00000\r\nout_time_us=N/A\n");
        QCOMPARE(progress.progress(), 2500);
        progress.add("out_time_us=3000000\n");
        QCOMPARE(progress.progress(), 10000);
        progress.restart(2000);
        progress.add("out_time_us=1000000\nprogress=end\n");
        QCOMPARE(progress.progress(), 10000);
    }

    void gifSize()
    {
        QCOMPARE(gifSizeFor(480, 0, QSize(1280, 720)), QSize(480, 270));
        QCOMPARE(gifSizeFor(0, 0, QSize()), QSize());
    }

    void conversionProblems_data()
    {
        QTest::addColumn<GifSettings>("settings");
        QTest::addColumn<qint64>("clipMs"); // 0: the clip's length is not known
        QTest::addColumn<int>("problem");
        const auto none = int(ConversionProblem::None);
        QTest::newRow("largest sides") << GifSettings{0, 0, 4096, 4096, 15, false} << qint64(3000)
                                       << none;
        QTest::newRow("too wide") << GifSettings{0, 0, 4097, 0, 15, false} << qint64(3000)
                                  << int(ConversionProblem::SideTooLarge);
        QTest::newRow("start at the end") << GifSettings{3000, 0, 0, 0, 15, false} << qint64(3000)
                                          << int(ConversionProblem::StartPastEnd);
        QTest::newRow("start in an unknown length")
            << GifSettings{90000, 0, 0, 0, 15, false} << qint64(0) << none;
        // 1280 x 720 in 32-bit colour is 3.5 MiB a frame: 2 GiB holds 582 frames, the first
        // one and one every tenth of a second of 58.1 s.
        QTest::newRow("palette pass within memory")
            << GifSettings{0, 0, 0, 0, 10, true} << qint64(58199) << none;
        QTest::newRow("palette pass beyond memory")
            << GifSettings{0, 0, 0, 0, 10, true} << qint64(58200)
            << int(ConversionProblem::TooLargeForClipPalette);
        QTest::newRow("palette pass, only the duration counts")
            << GifSettings{1000, 5000, 0, 0, 10, true} << qint64(600000) << none;
    }

    void conversionProblems()
    {
        QFETCH(GifSettings, settings);
        QFETCH(qint64, clipMs);
        const VideoFacts clip{VideoFacts::Video, QSize(1280, 720), clipMs};
        QTEST(int(conversionProblem(settings, clip)), "problem");
    }
};

QTEST_GUILESS_MAIN(TestVideoToolCommand)
#include "tst_videotoolcommand.moc"
