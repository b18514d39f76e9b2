// The GIF job of the images page, end to end: import, frame rate, create, decode.
#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"
#include "workers/gifcreaterthread.h"

namespace {

const QDateTime jobTime(QDate(2024, 3, 5), QTime(7, 8, 9, 45));
const QString completed = "completed, do you want to open the folder? [Cancel|Open]";

}

class TestImagesJob : public PageTest
{
    Q_OBJECT

    GifImagesWidget *page = nullptr;
    ViewImageWidget *strip = nullptr;
    QString outFolder, wide, tall;

    // Clicks "Create GIF" and waits for the job's closing dialog.
    void createGif()
    {
        const int before = answerer.dialogs.size();
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.dialogs.size(), before + 1, 30000);
    }

private slots:
    void initTestCase()
    {
        startWindow();
        page = window->imagesWidget;
        strip = page->viewImageWidget;
        strip->currentTime = [] { return jobTime; };
        outFolder = temp.path() + "/out";
        wide = temp.path() + "/wide.png";
        tall = temp.path() + "/tall.bmp";
        QVERIFY(blockImage(640, 480, qRgb(200, 40, 40), qRgb(40, 40, 200)).save(wide));
        QVERIFY(blockImage(300, 900, qRgb(40, 160, 40), qRgb(250, 200, 0)).save(tall));
    }

    void cleanupTestCase() { stopWindow(); }

    void init()
    {
        QDir(outFolder).removeRecursively();
        QDir().mkpath(outFolder);
        window->menuWidget->savePath = outFolder;
        QFile::remove(opened);
        answerer.dialogs.clear();
        answerer.pressRight = true;
        window->switchPage(1);
    }

    void createsGifOfTheStrip()
    {
        importImages(window, {wide, tall});
        page->framepsComboBox->setCurrentIndex(page->framepsComboBox->findText("5Frame/s"));
        createGif();
        QCOMPARE(answerer.dialogs, QStringList{completed});
        QCOMPARE(overlayText(window), QStringLiteral("Create GIF: 100.00% "));
        QTRY_COMPARE(fileText(opened), "1 " + outFolder + "\n");
        const QString gif = outFolder + "/20243578945.gif";
        QCOMPARE(QDir(outFolder).entryList(QDir::Files), QStringList{"20243578945.gif"});

        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(640, 900));
        QCOMPARE(decoded.frames.size(), 2);
        for (const DecodedFrame &frame : decoded.frames)
            QCOMPARE(frame.delay, 20);

        // The frames are the images as loaded, drawn at the top-left corner; where the tall
        // frame does not reach, the wide one stays.
        const QImage wideImage(wide), tallImage(tall);
        auto shown = [&](int frame, const QRect &rect) {
            return decoded.frames.at(frame).canvas.copy(rect).convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(shown(0, QRect(0, 0, 640, 480)), wideImage.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(shown(1, QRect(0, 0, 300, 900)), tallImage.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(shown(1, QRect(300, 0, 340, 480)), wideImage.copy(300, 0, 340, 480));
        QCOMPARE(qAlpha(decoded.frames.at(1).canvas.pixel(500, 700)), 0);

        // Exactly what the encoder makes of the same images.
        GifCreaterThread reference;
        reference.addImage(wideImage);
        reference.addImage(tallImage);
        reference.setGifSize(640, 900);
        reference.delay = 20;
        reference.gifFilePath = temp.path() + "/reference.gif";
        reference.start();
        reference.wait();
        QVERIFY(fileBytes(gif) == fileBytes(reference.gifFilePath));
    }

    void progressTexts()
    {
        QStringList shown;
        for (int progress : {4567, 5, 10000}) {
            QMetaObject::invokeMethod(strip, "gifCreaterThread_updateprogress",
                                      Q_ARG(int, progress));
            shown << overlayText(window);
        }
        QCOMPARE(shown, QStringList({"Create GIF: 45.67% ", "Create GIF: 00.05% ",
                                     "Create GIF: 100.00% "}));
    }

    void unwritableFolderGivesNotice()
    {
        const QString plainFile = temp.path() + "/plain";
        QVERIFY(writeFile(plainFile, ""));
        window->menuWidget->savePath = plainFile + "/sub";
        importImages(window, {wide});
        createGif();
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed, Please check the output folder. [OK]"});
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());
    }

    void nameCollisionKeepsEarlierGif()
    {
        const QString earlier = outFolder + "/20243578945.gif";
        QVERIFY(writeFile(earlier, "an earlier GIF"));
        // A 10 x 10 image still gives the smallest canvas of 20 x 20.
        const QString small = temp.path() + "/small.png";
        QVERIFY(blockImage(10, 10, qRgb(1, 2, 3), qRgb(250, 250, 250)).save(small));
        importImages(window, {small});
        answerer.pressRight = false;
        createGif();
        createGif();

        QCOMPARE(fileText(earlier), QStringLiteral("an earlier GIF"));
        DecodedGif decoded;
        QVERIFY(decodeGif(outFolder + "/20243578945_2.gif", &decoded));
        QCOMPARE(decoded.canvasSize, QSize(20, 20));
        QVERIFY(QFileInfo::exists(outFolder + "/20243578945_3.gif"));
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());
    }
};

LUMORRA_UI_TEST_MAIN(TestImagesJob)
#include "tst_imagesjob.moc"
