// Resolve GIF from the start page, end to end on GIFs written by our own worker.
#include "support/gifbytes.h"
#include "ui/uitesthelpers.h"
#include "workers/gifcreaterthread.h"
#include "workers/parsegifthread.h"

namespace {
const QString gifFailed = "Failed, Please check the GIF file. [OK]";
}

class TestResolveGif : public PageTest
{
    Q_OBJECT

    GifMenuWidget *page = nullptr;
    QString outFolder;

    // Frames of distinct flat colours, each a little smaller than the one before.
    QString writeGif(const QString &name, int frames)
    {
        const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200),
                                qRgb(220, 220, 40), qRgb(40, 220, 220)};
        QList<QImage> images;
        for (int i = 0; i < frames; ++i)
            images << blockImage(48 - 4 * i, 36 - 2 * i, colours[i % 5], colours[(i + 2) % 5]);
        GifCreaterThread worker;
        worker.startJob(imagesJob(temp.path() + "/in/" + name, images));
        worker.wait();
        return worker.gifFilePath;
    }

    // Picks the file in the chooser; with a dialog expected, waits for it.
    void resolve(const QString &path, bool dialogExpected = true)
    {
        FileChooser::answerOpenFile([path](auto &&...) { return path; });
        const int before = answerer.dialogs.size();
        QTest::mouseClick(page->gifParseButton, Qt::LeftButton);
        if (dialogExpected)
            QTRY_COMPARE(answerer.dialogs.size(), before + 1);
    }

    QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void initTestCase()
    {
        startWindow();
        page = window->menuWidget;
        outFolder = temp.path() + "/out";
        QVERIFY(QDir().mkpath(outFolder) && QDir().mkpath(temp.path() + "/in"));
    }

    void cleanupTestCase() { stopWindow(); }

    void init()
    {
        page->savePath = outFolder;
        QFile::remove(opened);
        answerer.dialogs.clear();
        answerer.pressRight = true;
        QTRY_VERIFY(window->loadingWidget->isHidden());
    }

    void writesEveryFrameAsNumberedPng()
    {
        const QString gif = writeGif("anim.gif", 3);
        QString asked;
        FileChooser::answerOpenFile([&](const QString &caption, const QString &dir,
                                        const QString &filter) {
            asked = caption + " " + dir + " " + filter;
            return gif;
        });
        QTest::mouseClick(page->gifParseButton, Qt::LeftButton);
        QTRY_COMPARE(answerer.dialogs,
                     QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        // Never used before, the chooser opens in the output folder, where GIFs are made.
        QCOMPARE(asked, "Add GIF File " + outFolder + " Image (*.gif)");
        QCOMPARE(overlayText(window), QStringLiteral("Resolve GIF: 100.00% "));
        QCOMPARE(readSetting(Setting::addGifPath), temp.path() + "/in/");
        // "Open" shows the output folder itself, not the frames' sub-folder.
        QTRY_COMPARE(fileText(opened), "1 " + outFolder + "\n");

        const QStringList three{"1.png", "2.png", "3.png"};
        QCOMPARE(entries(outFolder + "/anim"), three);

        // A second run of a shorter GIF of the same name gets a folder of its own, so
        // neither mixes with the other; "Cancel" opens nothing.
        QFile::remove(opened);
        answerer.pressRight = false;
        resolve(writeGif("anim.gif", 2));
        QCOMPARE(entries(outFolder + "/anim"), three);
        QCOMPARE(entries(outFolder + "/anim_2"), QStringList({"1.png", "2.png"}));
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());
    }

    void folderNames()
    {
        answerer.pressRight = false;
        resolve(writeGif("LOUD.GIF", 2));
        resolve(writeGif("clip.dat", 2));
        QVERIFY(QFileInfo::exists(outFolder + "/LOUD/2.png"));
        QVERIFY(QFileInfo::exists(outFolder + "/clip.dat/2.png"));
        // Names that would leave "." or ".." keep their ending: nothing lands beside the
        // output folder or loose in it.
        resolve(writeGif("...gif", 2));
        resolve(writeGif("..gif", 2));
        QVERIFY(QFileInfo::exists(outFolder + "/...gif/2.png"));
        QVERIFY(QFileInfo::exists(outFolder + "/..gif/2.png"));
        QVERIFY(!QFileInfo::exists(outFolder + "/1.png"));
        QVERIFY(!QFileInfo::exists(temp.path() + "/1.png"));
        // An empty folder of the name is used; a file of the name is passed over.
        QVERIFY(QDir(outFolder).mkdir("vacant") && writeFile(outFolder + "/taken", ""));
        resolve(writeGif("vacant.gif", 1));
        resolve(writeGif("taken.gif", 1));
        QCOMPARE(entries(outFolder + "/vacant"), QStringList{"1.png"});
        QCOMPARE(entries(outFolder + "/taken_2"), QStringList{"1.png"});
        // A link is passed over too, even to an empty folder: frames land only in the
        // output folder. So is a folder that holds nothing but a hidden file.
        QVERIFY(QDir(temp.path()).mkdir("elsewhere")
                && QFile::link(temp.path() + "/elsewhere", outFolder + "/linked"));
        QVERIFY(QDir(outFolder).mkdir("hidden") && writeFile(outFolder + "/hidden/.keep", ""));
        resolve(writeGif("linked.gif", 1));
        resolve(writeGif("hidden.gif", 1));
        QCOMPARE(entries(temp.path() + "/elsewhere"), QStringList());
        QCOMPARE(entries(outFolder + "/linked_2"), QStringList{"1.png"});
        QCOMPARE(entries(outFolder + "/hidden_2"), QStringList{"1.png"});
    }

    void fileThatIsNoGifGivesNotice()
    {
        const QString before = readSetting(Setting::addGifPath);
        const QStringList outBefore = entries(outFolder);
        QDir().mkpath(temp.path() + "/text");
        QVERIFY(writeFile(temp.path() + "/text/notes.gif", "this is plain text, not an image\n"));
        QVERIFY(writeFile(temp.path() + "/text/empty.gif", ""));
        resolve(temp.path() + "/text/notes.gif");
        resolve(temp.path() + "/text/empty.gif");
        QCOMPARE(answerer.dialogs, QStringList({gifFailed, gifFailed}));
        QVERIFY(window->loadingWidget->isHidden());
        QCOMPARE(entries(outFolder), outBefore);
        QCOMPARE(readSetting(Setting::addGifPath), before);
    }

    void damagedGifKeepsTheFramesBefore()
    {
        QByteArray bytes = readFile(writeGif("damaged.gif", 4));
        const int third = frameDataOffset(bytes, 2);
        QVERIFY(third > 0);
        bytes[third] = 14; // an LZW code size no GIF can have
        QVERIFY(writeFile(temp.path() + "/in/damaged.gif", bytes));
        resolve(temp.path() + "/in/damaged.gif");
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed after 2 frames, Please check the GIF file. [OK]"});
        QCOMPARE(entries(outFolder + "/damaged"), QStringList({"1.png", "2.png"}));
    }

    // An output folder gone since it was chosen is made again; one that cannot be made is
    // named.
    void outputFolderThatIsGoneIsMadeAgain()
    {
        answerer.pressRight = false;
        page->savePath = temp.path() + "/gone/again";
        resolve(writeGif("nowhere.gif", 2));
        QCOMPARE(entries(page->savePath + "/nowhere"), QStringList({"1.png", "2.png"}));

        QVERIFY(writeFile(temp.path() + "/plain", ""));
        page->savePath = temp.path() + "/plain/sub";
        answerer.dialogs.clear();
        resolve(temp.path() + "/in/nowhere.gif");
        QCOMPARE(answerer.dialogs, QStringList{"Failed, the output folder " + page->savePath
                                               + " could not be created. [OK]"});
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());
    }

    // Cancelling, or closing the window, in the middle of a job leaves the output folder as
    // it was, without a word. The job waits after its first frame until it is stopped.
    void stoppedJobLeavesNothing()
    {
        const QString gif = writeGif("long.gif", 5);
        ParseGifThread *worker = page->parseGifThread;
        const auto holdAfterFirstFrame =
            connect(worker, &ParseGifThread::updateprogress, worker, [worker] {
                    while (!worker->isInterruptionRequested())
                        QThread::msleep(1);
                }, Qt::DirectConnection);
        for (const bool byClosing : {false, true}) {
            const QStringList before = entries(outFolder);
            resolve(gif, false);
            QTRY_VERIFY(QFileInfo::exists(outFolder + "/long/1.png"));
            if (byClosing)
                QVERIFY(window->close());
            else
                window->cancelRunningJob();
            QVERIFY(worker->isFinished());
            QCOMPARE(entries(outFolder), before);
            QTRY_VERIFY(window->loadingWidget->isHidden() || byClosing);
            QVERIFY(answerer.dialogs.isEmpty());
        }
        disconnect(holdAfterFirstFrame);
    }
};

LUMORRA_UI_TEST_MAIN(TestResolveGif)
#include "tst_resolvegif.moc"
