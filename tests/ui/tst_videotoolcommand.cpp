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
    void conversionArguments_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("duration");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("expected");
        QTest::newRow("minutes and seconds")
            << "1:30" << 5 << QSize(0, 0) << "-ss 90 -t 5 -i v.mp4 -r 15 o.gif";
        QTest::newRow("whole video at its own size")
            << "00:00:00" << 0 << QSize(0, 0) << "-i v.mp4 -r 15 o.gif";
        QTest::newRow("one part keeps the first run's 0")
            << "12" << 0 << QSize(0, 0) << "-i v.mp4 -r 15 o.gif";
        QTest::newRow("no size without a height")
            << "1:00:05" << 10 << QSize(320, 0) << "-ss 3605 -t 10 -i v.mp4 -r 15 o.gif";
        QTest::newRow("with size")
            << "0:10" << 3 << QSize(320, 240) << "-ss 10 -t 3 -i v.mp4 -r 15 -s 320x240 o.gif";
    }

    void conversionArguments()
    {
        QFETCH(QString, start);
        QFETCH(int, duration);
        QFETCH(QSize, size);
        QFETCH(QString, expected);
        QCOMPARE(::conversionArguments(::startSecondsFromText(start, 0), duration, "v.mp4",
                                       size.width(), size.height(), "o.gif"),
                 expected.split(' '));
    }

    void startSecondsFromText_data()
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

    void startSecondsFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, previous);
        QTEST(::startSecondsFromText(text, previous), "expected");
    }

    void thumbnailNameAndPlacement()
    {
        QCOMPARE(thumbnailArguments("/v/a b.mkv", "/tmp/thumb.jpg"),
                 (QStringList{"-i", "/v/a b.mkv", "-y", "-f", "image2", "-ss", "1", "-t", "0.001",
                              "/tmp/thumb.jpg"}));
        QCOMPARE(gifPathForVideo("C:/out", "C:/v/clip.part1.mp4"), QString("C:/out/clip.gif"));
        // The real-video sizes are checked on the video page; this is the edge of the frame.
        QCOMPARE(thumbnailPlacement(QSize(456, 100), QSize(458, 599)), QRect(1, 249, 456, 100));
    }

    void toolBesideTheProgramIsPreferred()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows always runs ffmpeg.exe from the application folder");
#else
        QTemporaryDir folder;
        const QString saved = appDirPath;
        appDirPath = folder.path();
        const QString onPath = videoToolPath();
        QFile(folder.path() + "/ffmpeg").open(QIODevice::WriteOnly);
        const QString beside = videoToolPath();
        appDirPath = saved;
        QCOMPARE(onPath, QString("ffmpeg"));
        QCOMPARE(beside, folder.path() + "/ffmpeg");
#endif
    }
};

QTEST_GUILESS_MAIN(TestVideoToolCommand)
#include "tst_videotoolcommand.moc"
