// The video page end to end, with the real ffmpeg and videos made here by ffmpeg itself.
#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const int toolTimeout = 120000;
const QString failedText = "Failed, Please check the parameters. [OK]";

bool makeVideo(const QString &path, int width, int height, int seconds)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                            QString("testsrc=size=%1x%2:rate=25").arg(width).arg(height), "-t",
                            QString::number(seconds), "-pix_fmt", "yuv420p", path});
    return ffmpeg.waitForFinished(toolTimeout) && ffmpeg.exitCode() == 0;
}

#ifdef Q_OS_UNIX
// The process id of the "ffmpeg" this process started (from its main thread), or 0.
pid_t childTool()
{
    const QString children = fileBytes(QString("/proc/self/task/%1/children").arg(getpid()));
    for (const QString &child : children.split(' ', Qt::SkipEmptyParts)) {
        if (fileBytes("/proc/" + child + "/comm").trimmed() == "ffmpeg")
            return child.toInt();
    }
    return 0;
}
#endif

} // namespace

class TestGifVideoWidget : public PageTest
{
    Q_OBJECT

    QString videos, output, chosenVideo;
    GifVideoWidget *page = nullptr;
    int chooserCalls = 0;

    bool importVideo(const QString &name)
    {
        chosenVideo = videos + "/" + name;
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        return waitUntilIdle();
    }

    bool waitUntilIdle()
    {
        // The overlay goes when the tool has ended; the thumbnail follows 100 ms later.
        const bool idle = QTest::qWaitFor([this] { return window->loadingWidget->isHidden(); },
                                          toolTimeout);
        QTest::qWait(200);
        return idle;
    }

    bool createGif(const QString &start, const QString &duration, const QString &width = "0",
                   const QString &height = "0")
    {
        page->startTimeEdit->setText(start);
        page->durationEdit->setText(duration);
        page->widthEdit->setText(width);
        page->heightEdit->setText(height);
        answerer.dialogs.clear();
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        return QTest::qWaitFor([this] { return !answerer.dialogs.isEmpty(); }, toolTimeout)
               && waitUntilIdle();
    }

    // "enabled" or "disabled" when the Create GIF tile, the four fields and their captions
    // agree.
    QString formLook() const
    {
        const bool on = page->createGifButton->tileEnabled;
        for (QLineEdit *field :
             {page->startTimeEdit, page->durationEdit, page->widthEdit, page->heightEdit}) {
            if (field->isEnabled() != on)
                return "mixed";
        }
        for (QLabel *caption : {page->startTimeLabel, page->heightLabel}) {
            if (caption->styleSheet().contains("#b4b4b4") == on)
                return "mixed";
        }
        return on ? "enabled" : "disabled";
    }

#ifdef Q_OS_UNIX
    // Converts slow.mkv, which the tool reads from a pipe that delivers half of the video
    // and then stays open, and waits until the GIF has data: the tool is certainly still
    // running then.
    bool startStalledConversion(QProcess *feeder)
    {
        const QString slow = videos + "/slow.mkv";
        const QString half = videos + "/slow-half.mkv";
        if (!QFileInfo::exists(half)) {
            if (!makeVideo(slow, 320, 240, 20) || !importVideo("slow.mkv"))
                return false;
            const QByteArray whole = fileBytes(slow);
            if (!writeFile(half, whole.left(whole.size() / 2)) || !QFile::remove(slow)
                || mkfifo(QFile::encodeName(slow).constData(), 0600) != 0)
                return false;
        }
        // The shell opens the pipe itself: opening it here would block until the tool reads.
        feeder->start("sh", {"-c", "exec > \"$2\"; cat \"$1\"; exec sleep 300", "feeder",
                             half, slow});
        page->startTimeEdit->setText("0:00");
        page->durationEdit->setText("0");
        answerer.dialogs.clear();
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        return QTest::qWaitFor([this] { return QFileInfo(output + "/slow.gif").size() > 0; },
                               toolTimeout);
    }
#endif

private slots:
    void initTestCase()
    {
        videos = temp.path() + "/videos";
        output = temp.path() + "/out";
        QVERIFY(QDir().mkpath(videos) && QDir().mkpath(output));
        QVERIFY(makeVideo(videos + "/clip.part1.mp4", 320, 240, 3));
        QVERIFY(makeVideo(videos + "/small.mp4", 200, 150, 3));
        QVERIFY(makeVideo(videos + "/wide.mp4", 640, 360, 3));
        QVERIFY(makeVideo(videos + "/tall.mp4", 360, 640, 3));
        QVERIFY(writeFile(videos + "/junk.mp4", "this is not a video\n"));
        startWindow();
        page = window->videoWidget;
        window->menuWidget->savePath = output;
        FileChooser::answerOpenFile([this](auto &&...) {
            ++chooserCalls;
            return chosenVideo;
        });
        window->switchPage(2);
    }

    void cleanupTestCase() { stopWindow(); }

    void thumbnailIsFittedAndEnablesTheForm_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<QRect>("placement");
        QTest::newRow("200 x 150 natural and centred") << "small.mp4" << QRect(129, 224, 200, 150);
        QTest::newRow("640 x 360 fitted to the width") << "wide.mp4" << QRect(0, 171, 457, 257);
        QTest::newRow("360 x 640 fitted to the height") << "tall.mp4" << QRect(61, 0, 336, 598);
    }

    void thumbnailIsFittedAndEnablesTheForm()
    {
        QFETCH(QString, video);
        window->switchPage(2);
        QCOMPARE(formLook(), QString("disabled"));
        QVERIFY(page->addVideosButton->tileEnabled && page->backupmeuButton->tileEnabled);
        QCOMPARE(page->startTimeEdit->text(), QString("00:00:00"));
        QVERIFY(importVideo(video));
        QVERIFY(!page->thumbLabel->isHidden());
        QTEST(page->thumbLabel->geometry(), "placement");
        QCOMPARE(formLook(), QString("enabled"));
        QVERIFY(answerer.dialogs.isEmpty());
        // The folder is remembered with its trailing slash.
        QCOMPARE(readSetting("addVideoPath"), videos + "/");
    }

    void notAVideoBackupAndEntry()
    {
        // After a good thumbnail a file that is not a video changes nothing.
        QVERIFY(importVideo("small.mp4"));
        QVERIFY(importVideo("junk.mp4"));
        QCOMPARE(formLook(), QString("enabled"));
        QCOMPARE(page->thumbLabel->geometry(), QRect(129, 224, 200, 150));

        // "Backup" disables the form; on the fresh page a non-video leaves it so.
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(formLook(), QString("disabled"));
        QVERIFY(page->thumbLabel->isHidden());
        window->switchPage(2);
        QVERIFY(importVideo("junk.mp4"));
        QCOMPARE(formLook(), QString("disabled"));
        QVERIFY(page->thumbLabel->isHidden());
        QVERIFY(answerer.dialogs.isEmpty());

        // Entering forgets the video: a language change leaves the form disabled.
        QVERIFY(importVideo("clip.part1.mp4"));
        window->switchPage(2);
        QCOMPARE(formLook(), QString("disabled"));
        window->retranslateAll();
        QCOMPARE(formLook(), QString("disabled"));
    }

    void conversionWritesTheGifAndOffersTheFolder()
    {
        QVERIFY(importVideo("clip.part1.mp4"));
        const QString gif = output + "/clip.gif";
        QVERIFY(writeFile(gif, "an old file of the same name"));
        QVERIFY(createGif("0:01", "2", "320", "240"));
        QCOMPARE(answerer.dialogs,
                 QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(320, 240));
        // Two seconds at 15 frames a second.
        QVERIFY2(qAbs(decoded.frames.size() - 30) <= 2,
                 qPrintable(QString::number(decoded.frames.size())));
        QTRY_COMPARE_WITH_TIMEOUT(fileText(opened), "1 " + output + "\n", 10000);

        // A language change keeps start and duration and resets the size.
        window->retranslateAll();
        QCOMPARE(QStringList({page->startTimeEdit->text(), page->durationEdit->text(),
                              page->widthEdit->text(), page->heightEdit->text()}),
                 QStringList({"00:00:01", "2", "0", "0"}));
        QCOMPARE(formLook(), QString("enabled"));
    }

    void conversionsThatWriteNothingAreReportedAsFailed()
    {
        QVERIFY(importVideo("clip.part1.mp4"));
        QVERIFY(createGif("0:30", "2"));
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QVERIFY(!QFile::exists(output + "/clip.gif"));

        // A folder in the GIF's place cannot be removed; the tool would ask about overwriting.
        QVERIFY(QDir().mkpath(output + "/clip.gif/inside"));
        QVERIFY(createGif("0:01", "1"));
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QVERIFY(QDir(output + "/clip.gif").removeRecursively());
    }

    void missingToolIsReportedAndEndsTheBusyState()
    {
    #ifdef Q_OS_WIN
        QSKIP("the stand-in tool relies on a file without execute permission");
    #else
        // An "ffmpeg" beside the program that cannot run.
        QTemporaryDir brokenInstall;
        QVERIFY(writeFile(brokenInstall.path() + "/ffmpeg", "not a program"));
        const QString saved = appDirPath;
        appDirPath = brokenInstall.path();
        const bool done = createGif("0:01", "1");
        appDirPath = saved;
        QVERIFY(done);
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed, the video tool (ffmpeg) could not be started. [OK]"});
        QVERIFY(window->loadingWidget->isHidden());
        QCOMPARE(formLook(), QString("enabled"));
    #endif
    }

    void toolEndingPartWayIsAFailure()
    {
    #ifndef Q_OS_UNIX
        QSKIP("limits and stops the tool through POSIX calls");
    #else
        // A file size limit, which the tool inherits, kills it part-way like a full disk.
        QVERIFY(importVideo("clip.part1.mp4"));
        bool done;
        {
            const FileSizeLimit limit(20000, false);
            QVERIFY(limit.active());
            done = createGif("0:01", "2");
        }
        QVERIFY(done);
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QVERIFY(!QFile::exists(output + "/clip.gif"));

        // Stopped from outside, the tool closes its GIF and exits with an error code.
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));
        const pid_t tool = childTool();
        QVERIFY(tool > 0 && kill(tool, SIGTERM) == 0);
        const bool ended = QTest::qWaitFor([this] { return !answerer.dialogs.isEmpty(); },
                                           toolTimeout);
        feeder.kill();
        feeder.waitForFinished();
        QVERIFY(ended);
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QVERIFY(!QFile::exists(output + "/slow.gif"));
    #endif
    }

    void closingDuringConversionStopsTheToolAndRemovesItsGif()
    {
    #ifndef Q_OS_UNIX
        QSKIP("feeds the tool through a named pipe");
    #else
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));
        const QString gif = output + "/slow.gif";

        // A second start while the tool runs is ignored: no chooser, no new job.
        const int callsBefore = chooserCalls;
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        QCOMPARE(chooserCalls, callsBefore);

        window->close();
        QVERIFY(!QFile::exists(gif));
        QTest::qWait(300);
        QVERIFY(answerer.dialogs.isEmpty());
        feeder.kill();
        feeder.waitForFinished();
    #endif
    }
};

LUMORRA_UI_TEST_MAIN(TestGifVideoWidget)
#include "tst_gifvideowidget.moc"
