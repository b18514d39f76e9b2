// The video page when things go wrong: no temporary folder, no tool, no output folder, a
// failing or cancelled run, the window closed during a conversion.
#include "ui/videopagetest.h"

class TestVideoPageFailures : public VideoPageTest
{
    Q_OBJECT

private slots:
    void initTestCase() { startVideoPage(); }
    void cleanupTestCase() { stopWindow(); }

    void noTemporaryFolderIsReported()
    {
        QVERIFY(importVideo("small.mp4"));
        // A file where the temporary folder should be.
        const QByteArray saved = qgetenv("TMPDIR");
        const QString blocked = temp.path() + "/not-a-folder";
        QVERIFY(writeFile(blocked, "x"));
        QVERIFY(QDir(tempFolder()).removeRecursively());
        qputenv("TMPDIR", blocked.toUtf8());
        const bool done = importVideo("wide.mp4");
        qputenv("TMPDIR", saved);
        QVERIFY(done);
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed, the temporary folder could not be created. [OK]"});
        QCOMPARE(page->thumbLabel->geometry(), QRect(129, 224, 200, 150));
    }

    void missingToolIsReportedAndEndsTheBusyState()
    {
    #ifdef Q_OS_WIN
        QSKIP("the stand-in tool relies on a file without execute permission");
    #else
        QVERIFY(importVideo("clip.part1.mp4"));
        // An "ffmpeg" beside the program that cannot run.
        QTemporaryDir brokenInstall;
        QVERIFY(writeFile(brokenInstall.path() + "/ffmpeg", "not a program"));
        const QString saved = appDirPath;
        appDirPath = brokenInstall.path();
        const QStringList before = folderState(output);
        const bool done = createGif("0:01", "1");
        appDirPath = saved;
        QVERIFY(done);
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed, the video tool (ffmpeg) could not be started. [OK]"});
        QVERIFY(window->loadingWidget->isHidden());
        QCOMPARE(formLook(), QString("enabled"));
        QCOMPARE(folderState(output), before);
    #endif
    }

    // An output folder gone since it was chosen is made again; one that cannot be made is
    // named.
    void outputFolderIsMadeAgainOrNamed()
    {
        QVERIFY(importVideo("small.mp4"));
        answerer.pressRight = false;
        window->menuWidget->savePath = output + "/gone/again";
        QVERIFY(createGif("0", "0.2"));
        QVERIFY(QFileInfo(output + "/gone/again/small.gif").size() > 0);

        QVERIFY(writeFile(output + "/plain", ""));
        window->menuWidget->savePath = output + "/plain/sub";
        QVERIFY(createGif("0", "0.2"));
        window->menuWidget->savePath = output;
        answerer.pressRight = true;
        QCOMPARE(answerer.dialogs, QStringList{"Failed, the output folder " + output
                                               + "/plain/sub could not be created. [OK]"});
        QVERIFY(QDir(output + "/gone").removeRecursively() && QFile::remove(output + "/plain"));
    }

    void failedRunLeavesTheEarlierGifAsItWas()
    {
    #ifndef Q_OS_UNIX
        QSKIP("limits and stops the tool through POSIX calls");
    #else
        QVERIFY(importVideo("clip.part1.mp4"));
        QVERIFY(createGif("0", "0.5"));
        const QStringList before = folderState(output);
        // A file size limit, which the tool inherits, kills it part-way like a full disk.
        bool done;
        {
            const FileSizeLimit limit(20000, false);
            QVERIFY(limit.active());
            done = createGif("0:01", "2");
        }
        QVERIFY(done);
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QCOMPARE(folderState(output), before);

        // Stopped from outside, the tool exits with an error code.
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));
        const QStringList tools = childTools();
        QVERIFY(!tools.isEmpty() && kill(tools.first().toInt(), SIGTERM) == 0);
        const bool ended = QTest::qWaitFor([this] { return !answerer.dialogs.isEmpty(); },
                                           toolTimeout);
        feeder.kill();
        feeder.waitForFinished();
        QVERIFY(ended);
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QCOMPARE(folderState(output), before);
    #endif
    }

    void cancelStopsTheToolAtOnceAndKeepsTheFolder()
    {
    #ifndef Q_OS_UNIX
        QSKIP("feeds the tool through a named pipe");
    #else
        QVERIFY(writeFile(output + "/slow.gif", "the user's earlier GIF"));
        const QStringList before = folderState(output);
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));
        QElapsedTimer clock;
        clock.start();
        window->cancelRunningJob();
        QVERIFY(childTools().isEmpty());
        QVERIFY(clock.elapsed() < 2000);
        QTest::qWait(400);
        QVERIFY(answerer.dialogs.isEmpty() && window->loadingWidget->isHidden());
        QCOMPARE(folderState(output), before);
        page->cancelJob(); // nothing runs: nothing happens
        feeder.kill();
        feeder.waitForFinished();

        // A stand-in ffprobe takes the pipe for a video; the still then waits for data and
        // is called off the same way, leaving no still file behind.
        QTemporaryDir install;
        QVERIFY(writeFile(install.path() + "/ffprobe",
                          "#!/bin/sh\necho '{\"streams\":[{\"width\":320,\"height\":240}]}'\n"));
        QVERIFY(QFile::setPermissions(install.path() + "/ffprobe",
                                      QFile::ReadOwner | QFile::ExeOwner));
        const QString saved = appDirPath;
        appDirPath = install.path();
        feeder.start("sh", {"-c", "exec > \"$1\"; exec sleep 300", "feeder",
                            videos + "/slow.mkv"});
        chosenVideo = videos + "/slow.mkv";
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(tempFolder()).entryList({"thumb-*"}).isEmpty(), 10000);
        appDirPath = saved;
        QVERIFY(!window->loadingWidget->isHidden() && !childTools().isEmpty());
        window->cancelRunningJob();
        QVERIFY(childTools().isEmpty());
        QTest::qWait(400);
        QVERIFY(answerer.dialogs.isEmpty() && window->loadingWidget->isHidden());
        QCOMPARE(QDir(tempFolder()).entryList(QDir::Files), QStringList());
        QCOMPARE(formLook(), QString("enabled"));
        feeder.kill();
        feeder.waitForFinished();
    #endif
    }

    void closingDuringConversionLeavesNoUnfinishedFile()
    {
    #ifndef Q_OS_UNIX
        QSKIP("feeds the tool through a named pipe");
    #else
        const QStringList before = folderState(output);
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));

        // A second start while the tool runs is ignored: no chooser, no new job.
        const int callsBefore = chooserCalls;
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        QCOMPARE(chooserCalls, callsBefore);

        window->close();
        QVERIFY(childTools().isEmpty());
        QCOMPARE(folderState(output), before);
        QTest::qWait(300);
        QVERIFY(answerer.dialogs.isEmpty());
        feeder.kill();
        feeder.waitForFinished();
    #endif
    }
};

LUMORRA_UI_TEST_MAIN(TestVideoPageFailures)
#include "tst_videopagefailures.moc"
