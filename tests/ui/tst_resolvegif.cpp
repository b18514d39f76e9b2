// Resolve GIF from the start page, end to end on GIFs written by our own worker.

#include "pagetesthelpers.h"
#include "support/gifdecoder.h"

#include "app/appdirpath.h"
#include "app/filechooser.h"
#include "pages/gifmenuwidget.h"
#include "widgets/mytempbutton2.h"
#include "workers/gifcreaterthread.h"

#include <QTemporaryDir>
#include <QtTest>

class TestResolveGif : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void writesEveryFrameAsNumberedPng();
    void folderNameKeepsNamesWithoutGifEnding();
    void fileThatIsNoAnimationDoesNothing();
    void framesThatCannotBeSavedGiveNotice();

private:
    QString writeGif(const QString &name, int frames);
    void resolve(const QString &path);

    QTemporaryDir temp;
    MainMainWidget *window = nullptr;
    GifMenuWidget *page = nullptr;
    QString record;
    QString outFolder;
};

void TestResolveGif::initTestCase()
{
    appDirPath = QCoreApplication::applicationDirPath();
    record = installFakeFolderOpener(temp.path() + "/bin");
    window = new MainMainWidget;
    window->show();
    page = window->menuWidget;
    outFolder = temp.path() + "/out";
    QDir().mkpath(outFolder);
    QDir().mkpath(temp.path() + "/in");
}

void TestResolveGif::cleanupTestCase()
{
    FileChooser::answerOpenFile({});
    delete window;
}

void TestResolveGif::init()
{
    page->savePath = outFolder;
    QFile::remove(record);
    QTRY_VERIFY(window->loadingWidget->isHidden());
}

// Frames of distinct flat colours, each a little smaller than the one before.
QString TestResolveGif::writeGif(const QString &name, int frames)
{
    const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200),
                            qRgb(220, 220, 40), qRgb(40, 220, 220)};
    GifCreaterThread worker;
    for (int i = 0; i < frames; ++i)
        worker.addImage(blockImage(48 - 4 * i, 36 - 2 * i, colours[i % 5], colours[(i + 2) % 5]));
    worker.setGifSize(48, 36);
    worker.gifFilePath = temp.path() + "/in/" + name;
    worker.start();
    worker.wait();
    return worker.gifFilePath;
}

void TestResolveGif::resolve(const QString &path)
{
    FileChooser::answerOpenFile([path](const QString &, const QString &, const QString &) {
        return path;
    });
    QTest::mouseClick(page->gifParseButton, Qt::LeftButton);
}

void TestResolveGif::writesEveryFrameAsNumberedPng()
{
    const QString gif = writeGif("anim.gif", 3);
    QString caption, filter;
    FileChooser::answerOpenFile([&](const QString &c, const QString &, const QString &f) {
        caption = c;
        filter = f;
        return gif;
    });
    DialogAnswer answer;
    answerNextDialog(&answer, true);
    QTest::mouseClick(page->gifParseButton, Qt::LeftButton);
    QTRY_VERIFY(answer.seen);

    QCOMPARE(caption, QStringLiteral("Add GIF File"));
    QCOMPARE(filter, QStringLiteral("Image (*.gif)"));
    QCOMPARE(answer.message, QStringLiteral("completed, do you want to open the folder?"));
    QCOMPARE(answer.rightText, QStringLiteral("Open"));
    QCOMPARE(overlayText(window), QStringLiteral("Resolve GIF: 100.00% "));
    QCOMPARE(storedSetting("addGIFPath"), temp.path() + "/in/");
    // "Open" shows the output folder itself, not the frames' sub-folder.
    QTRY_COMPARE(readRecord(record), "1 " + outFolder + "\n");

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
    QFile::remove(record);
    DialogAnswer again;
    answerNextDialog(&again, false);
    resolve(gif);
    QTRY_VERIFY(again.seen);
    QCOMPARE(frames.entryList(QDir::Files).size(), 3);
    QTest::qWait(100);
    QVERIFY(readRecord(record).isEmpty());
}

void TestResolveGif::folderNameKeepsNamesWithoutGifEnding()
{
    const QStringList names = {"LOUD.GIF", "clip.dat"};
    const QStringList folders = {"LOUD", "clip.dat"};
    for (int i = 0; i < names.size(); ++i) {
        const QString gif = writeGif(names.at(i), 2);
        DialogAnswer answer;
        answerNextDialog(&answer, false);
        resolve(gif);
        QTRY_VERIFY(answer.seen);
        QVERIFY2(QFileInfo::exists(outFolder + "/" + folders.at(i) + "/2.png"),
                 qPrintable(names.at(i)));
    }
}

void TestResolveGif::fileThatIsNoAnimationDoesNothing()
{
    const QString before = storedSetting("addGIFPath");
    const QString fake = temp.path() + "/text/notes.gif";
    QDir().mkpath(temp.path() + "/text");
    QFile file(fake);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is plain text, not an image\n");
    file.close();

    resolve(fake);
    QTest::qWait(100);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(window->loadingWidget->isHidden());
    QVERIFY(!QFileInfo::exists(outFolder + "/notes"));
    QCOMPARE(storedSetting("addGIFPath"), before);
}

void TestResolveGif::framesThatCannotBeSavedGiveNotice()
{
    const QString gif = writeGif("blocked.gif", 2);
    // A plain file where the frames' folder should go: neither folder nor frames can be made.
    QFile blocker(outFolder + "/blocked");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    DialogAnswer answer;
    answerNextDialog(&answer, true);
    resolve(gif);
    QTRY_VERIFY(answer.seen);
    QCOMPARE(answer.message, QStringLiteral("Failed, Please check the GIF file."));
    QVERIFY(answer.singleButton);
    QCOMPARE(answer.rightText, QStringLiteral("OK"));
    QTest::qWait(100);
    QVERIFY(readRecord(record).isEmpty());
}

PAGE_TEST_MAIN(TestResolveGif)
#include "tst_resolvegif.moc"
