// The video tool's command lines, the start-time rule, the output name and the thumbnail fit.
#include "app/appdirpath.h"
#include "pages/thumbnailfit.h"
#include "pages/videotoolcommand.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestVideoToolCommand : public QObject
{
    Q_OBJECT

private slots:
    void conversionArguments_data();
    void conversionArguments();
    void thumbnailArgumentsAskForOneStill();
    void startSecondsFromText_data();
    void startSecondsFromText();
    void gifIsNamedAfterTheVideoUpToItsFirstDot();
    void toolBesideTheProgramIsPreferred();
    void thumbnailPlacement_data();
    void thumbnailPlacement();
};

void TestVideoToolCommand::conversionArguments_data()
{
    QTest::addColumn<QString>("startText");
    QTest::addColumn<int>("previousStart");
    QTest::addColumn<QString>("durationText");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("expected");

    const QString v = "C:/v/clip.mp4";
    const QString o = "C:/out/clip.gif";
    QTest::newRow("minutes and seconds")
        << "1:30" << 0 << "5" << 0 << 0
        << QStringList{"-ss", "90", "-t", "5", "-i", v, "-r", "15", o};
    QTest::newRow("whole video at its own size")
        << "00:00:00" << 0 << "0" << 0 << 0 << QStringList{"-i", v, "-r", "15", o};
    QTest::newRow("one part keeps the first run's 0")
        << "12" << 0 << "" << 0 << 0 << QStringList{"-i", v, "-r", "15", o};
    QTest::newRow("no size without a height")
        << "1:00:05" << 0 << "10" << 320 << 0
        << QStringList{"-ss", "3605", "-t", "10", "-i", v, "-r", "15", o};
    QTest::newRow("with size")
        << "0:10" << 0 << "3" << 320 << 240
        << QStringList{"-ss", "10", "-t", "3", "-i", v, "-r", "15", "-s", "320x240", o};
}

void TestVideoToolCommand::conversionArguments()
{
    QFETCH(QString, startText);
    QFETCH(int, previousStart);
    QFETCH(QString, durationText);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QStringList, expected);
    const int start = ::startSecondsFromText(startText, previousStart);
    QCOMPARE(::conversionArguments(start, durationText.toInt(), "C:/v/clip.mp4", width, height,
                                   "C:/out/clip.gif"),
             expected);
}

void TestVideoToolCommand::thumbnailArgumentsAskForOneStill()
{
    QCOMPARE(thumbnailArguments("/v/a b.mkv", "/tmp/Tessmark/temp/thumb.jpg"),
             (QStringList{"-i", "/v/a b.mkv", "-y", "-f", "image2", "-ss", "1", "-t", "0.001",
                          "/tmp/Tessmark/temp/thumb.jpg"}));
}

void TestVideoToolCommand::startSecondsFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("expected");
    QTest::newRow("three parts") << "1:00:05" << 7 << 3605;
    QTest::newRow("two parts") << "2:03" << 7 << 123;
    QTest::newRow("one part keeps the previous") << "45" << 7 << 7;
    QTest::newRow("four parts keep the previous") << "1:2:3:4" << 7 << 7;
    QTest::newRow("no range check") << "00:99:99" << 0 << 6039;
    QTest::newRow("empty and wrong parts count as 0") << ":x:5" << 7 << 5;
    QTest::newRow("huge hours do not wrap negative") << "99999999:0:0" << 0 << INT_MAX;
}

void TestVideoToolCommand::startSecondsFromText()
{
    QFETCH(QString, text);
    QFETCH(int, previous);
    QFETCH(int, expected);
    QCOMPARE(::startSecondsFromText(text, previous), expected);
}

void TestVideoToolCommand::gifIsNamedAfterTheVideoUpToItsFirstDot()
{
    QCOMPARE(gifPathForVideo("C:/out", "C:/v/clip.part1.mp4"), QString("C:/out/clip.gif"));
}

void TestVideoToolCommand::toolBesideTheProgramIsPreferred()
{
#ifdef Q_OS_WIN
    QSKIP("Windows always runs ffmpeg.exe from the application folder");
#else
    QTemporaryDir folder;
    const QString saved = appDirPath;
    appDirPath = folder.path();
    QCOMPARE(videoToolPath(), QString("ffmpeg"));
    QFile tool(folder.path() + "/ffmpeg");
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.close();
    QCOMPARE(videoToolPath(), folder.path() + "/ffmpeg");
    appDirPath = saved;
#endif
}

void TestVideoToolCommand::thumbnailPlacement_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("portrait phone fits the height") << QSize(1080, 1920) << QRect(61, 0, 336, 598);
    QTest::newRow("one pixel narrower than the frame") << QSize(456, 100) << QRect(1, 249, 456, 100);
}

void TestVideoToolCommand::thumbnailPlacement()
{
    QFETCH(QSize, image);
    QFETCH(QRect, expected);
    QCOMPARE(::thumbnailPlacement(image, QSize(458, 599)), expected);
}

QTEST_GUILESS_MAIN(TestVideoToolCommand)
#include "tst_videotoolcommand.moc"
