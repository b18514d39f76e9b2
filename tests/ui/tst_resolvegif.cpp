// Resolve GIF from the start page, end to end on GIFs written by our own worker.
#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"
#include "workers/gifcreaterthread.h"

class TestResolveGif : public PageTest
{
    Q_OBJECT

    GifMenuWidget *page = nullptr;
    QString outFolder;

    // Frames of distinct flat colours, each a little smaller than the one before, and then
    // the last frame if one is given.
    QString writeGif(const QString &name, int frames, const QImage &last = QImage())
    {
        const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200),
                                qRgb(220, 220, 40), qRgb(40, 220, 220)};
        GifCreaterThread worker;
        for (int i = 0; i < frames; ++i)
            worker.addImage(
                blockImage(48 - 4 * i, 36 - 2 * i, colours[i % 5], colours[(i + 2) % 5]));
        if (!last.isNull())
            worker.addImage(last);
        worker.setGifSize(48, 36);
        worker.gifFilePath = temp.path() + "/in/" + name;
        worker.start();
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
        FileChooser::answerOpenFile([&](const QString &caption, const QString &,
                                        const QString &filter) {
            asked = caption + " " + filter;
            return gif;
        });
        QTest::mouseClick(page->gifParseButton, Qt::LeftButton);
        QTRY_COMPARE(answerer.dialogs,
                     QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        QCOMPARE(asked, QStringLiteral("Add GIF File Image (*.gif)"));
        QCOMPARE(overlayText(window), QStringLiteral("Resolve GIF: 100.00% "));
        QCOMPARE(readSetting("addGIFPath"), temp.path() + "/in/");
        // "Open" shows the output folder itself, not the frames' sub-folder.
        QTRY_COMPARE(fileText(opened), "1 " + outFolder + "\n");

        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.frames.size(), 3);
        const QDir frames(outFolder + "/anim");
        QCOMPARE(frames.entryList(QDir::Files, QDir::Name),
                 QStringList({"1.png", "2.png", "3.png"}));
        for (int i = 0; i < 3; ++i) {
            const QImage png(frames.filePath(QString::number(i + 1) + ".png"));
            QCOMPARE(png.convertToFormat(QImage::Format_RGBA8888),
                     decoded.frames.at(i).canvas.convertToFormat(QImage::Format_RGBA8888));
        }

        // A second run on the same file reuses the folder; "Cancel" opens nothing.
        QFile::remove(opened);
        answerer.pressRight = false;
        resolve(gif);
        QCOMPARE(frames.entryList(QDir::Files).size(), 3);
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());
    }

    void folderNameKeepsNamesWithoutGifEnding()
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
    }

    void fileThatIsNoAnimationDoesNothing()
    {
        const QString before = readSetting("addGIFPath");
        QDir().mkpath(temp.path() + "/text");
        const QString fake = temp.path() + "/text/notes.gif";
        QVERIFY(writeFile(fake, "this is plain text, not an image\n"));
        resolve(fake, false);
        QTest::qWait(100);
        QVERIFY(answerer.dialogs.isEmpty());
        QVERIFY(window->loadingWidget->isHidden());
        QVERIFY(!QFileInfo::exists(outFolder + "/notes"));
        QCOMPARE(readSetting("addGIFPath"), before);
    }

    void framesThatCannotBeSavedGiveNotice()
    {
        // A plain file where the frames' folder should go: neither folder nor frames can be made.
        QVERIFY(writeFile(outFolder + "/blocked", ""));
        resolve(writeGif("blocked.gif", 2));
        QCOMPARE(answerer.dialogs, QStringList{"Failed, Please check the GIF file. [OK]"});
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());

#ifdef Q_OS_UNIX
        // A disk that fills up after frame 1: the small flat frame fits under a file size
        // limit, the noisy one after it does not.
        QImage noise(48, 36, QImage::Format_RGB32);
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 48; ++x)
                noise.setPixel(x, y, 0xff000000u | QRandomGenerator::global()->generate());
        const QString gif = writeGif("noisy.gif", 1, noise);
        answerer.dialogs.clear();
        {
            const FileSizeLimit limit(2048, true);
            QVERIFY(limit.active());
            resolve(gif);
        }
        QCOMPARE(answerer.dialogs, QStringList{"Failed, Please check the GIF file. [OK]"});
        QVERIFY(QFileInfo::exists(outFolder + "/noisy/1.png"));
#endif
    }
};

LUMORRA_UI_TEST_MAIN(TestResolveGif)
#include "tst_resolvegif.moc"
