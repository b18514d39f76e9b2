// The GIF job of the images page, end to end: import, frame rate, create, decode.
#include "rules/framedelay.h"
#include "rules/naturalorder.h"
#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"
#include "workers/gifcreaterthread.h"

namespace {

const QDateTime jobTime(QDate(2024, 3, 5), QTime(7, 8, 9, 45));
const QString completed = "completed, do you want to open the folder? [Cancel|Open]";

// Colours that change in every direction; with alpha, every alpha from clear to opaque.
QImage gradient(bool withAlpha)
{
    QImage image(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y,
                           qRgba(x * 4, y * 5, x * y % 256, withAlpha ? (x * 9 + y) % 256 : 255));
    }
    return image;
}

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

    // Pictures of every kind the readers give: colour, grey, palette, 1 bit and 16 bits,
    // with and without alpha, PNG, JPEG and BMP.
    QStringList picturesOfEveryKind()
    {
        const QImage colour = gradient(false);
        const QImage alpha = gradient(true);
        const QList<QPair<QString, QImage>> kinds{
            {"rgb.png", colour.convertToFormat(QImage::Format_RGB32)},
            {"opaque-alpha.png", colour},
            {"alpha.png", alpha},
            {"palette.png", colour.convertToFormat(QImage::Format_Indexed8)},
            {"palette-alpha.png", alpha.convertToFormat(QImage::Format_Indexed8)},
            {"grey.png", colour.convertToFormat(QImage::Format_Grayscale8)},
            {"grey16.png", colour.convertToFormat(QImage::Format_Grayscale16)},
            {"rgb16.png", colour.convertToFormat(QImage::Format_RGBX64)},
            {"rgba16.png", alpha.convertToFormat(QImage::Format_RGBA64)},
            {"mono.png", colour.convertToFormat(QImage::Format_Mono)},
            {"photo.jpg", colour.convertToFormat(QImage::Format_RGB32)},
            {"grey.jpg", colour.convertToFormat(QImage::Format_Grayscale8)},
            {"plain.bmp", colour.convertToFormat(QImage::Format_RGB32)},
            {"alpha.bmp", alpha},
        };
        QStringList paths;
        for (const auto &kind : kinds) {
            paths << temp.path() + "/" + kind.first;
            if (!kind.second.save(paths.last()))
                qWarning() << "cannot write" << paths.last();
        }
        return paths;
    }

    // Creates a GIF of many noisy frames and stops it once it has started, the way given.
    void createAndStop(const std::function<void()> &stop)
    {
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        while (overlayText(window) == QLatin1String("Create GIF: 00.00% "))
            QTest::qWait(1);
        stop();
        QVERIFY(!strip->gifCreaterThread->isRunning());
        QTest::qWait(100);
        QCOMPARE(QDir(outFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(answerer.dialogs, QStringList());
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

    void createsGifOfTheStrip_data()
    {
        QTest::addColumn<bool>("smallerFile");
        QTest::newRow("default") << false;
        QTest::newRow("smaller file") << true;
    }

    // At a frame rate of one's own, in either mode.
    void createsGifOfTheStrip()
    {
        QFETCH(bool, smallerFile);
        const QStringList paths = QStringList{wide, tall} + picturesOfEveryKind();
        importImages(window, paths);
        QCOMPARE(strip->inUseCount(), paths.size());
        chooseCustomRate(page, "12", Qt::Key_Return);
        if (page->smallerFileCheckBox->isChecked() != smallerFile)
            QTest::mouseClick(page->smallerFileCheckBox, Qt::LeftButton);
        createGif();
        QCOMPARE(answerer.dialogs, QStringList{completed});
        QCOMPARE(overlayText(window), QStringLiteral("Create GIF: 100.00% "));
        QTRY_COMPARE(fileText(opened), "1 " + outFolder + "\n");
        const QString gif = outFolder + "/20243578945.gif";
        QCOMPARE(QDir(outFolder).entryList(QDir::Files), QStringList{"20243578945.gif"});

        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(640, 900));
        QCOMPARE(decoded.frames.size(), paths.size());
        QCOMPARE(decoded.frames.last().delay, delayOfFrame(12, paths.size() - 1));

        // Exactly the GIF of the decoded pictures: a GIF made from the files must match the
        // pictures as the job composes them.
        QList<FrameSource> pictures;
        for (const QString &path : inNaturalOrder(paths)) {
            QImageReader reader(path);
            reader.setDecideFormatFromContent(true);
            pictures << FrameSource::fromImage(reader.read());
        }
        GifJobChoices choices;
        choices.frameRate = 12;
        choices.encoding.smallerFile = smallerFile;
        const GifJob job = makeGifJob(temp.path() + "/reference.gif", pictures, choices);
        GifCreaterThread reference;
        reference.startJob(job);
        reference.wait();
        QVERIFY(readFile(gif) == readFile(job.gifFilePath));
    }

    void cancelAndCloseLeaveNoFile()
    {
        QRandomGenerator random(9);
        const QString noisy = temp.path() + "/noise.png";
        QVERIFY(noisyFrame(500, 400, &random).save(noisy));
        QStringList many;
        for (int i = 0; i < 40; ++i)
            many << noisy;
        importImages(window, many);

        createAndStop([this] { window->cancelRunningJob(); });
        QTRY_VERIFY(window->loadingWidget->isHidden());
        createAndStop([this] { window->close(); });
        window->show();
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

    void failuresGiveNoticesAndNoGif()
    {
        // A file gone since the import is named.
        const QString gone = temp.path() + "/gone.bmp";
        QVERIFY(QFile::copy(tall, gone));
        importImages(window, {wide, gone});
        QVERIFY(QFile::remove(gone));
        createGif();
        QCOMPARE(QDir(outFolder).entryList(QDir::Files), QStringList());

        const QString plainFile = temp.path() + "/plain";
        QVERIFY(writeFile(plainFile, ""));
        window->menuWidget->savePath = plainFile + "/sub";
        createGif();
        QCOMPARE(answerer.dialogs,
                 QStringList({"Failed, cannot read: gone.bmp [OK]",
                              "Failed, the output folder " + window->menuWidget->savePath
                                  + " could not be created. [OK]"}));
        QTest::qWait(100);
        QVERIFY(fileText(opened).isEmpty());
    }

    // Under a size limit the GIF fits and the overlay says what the job is doing; a limit
    // out of reach even at the smallest settings is said so, and nothing is written.
    void fitsUnderTheChosenSize()
    {
        QRandomGenerator random(25);
        QStringList noisy;
        for (int i = 0; i < 12; ++i) {
            noisy << temp.path() + QString("/noisy%1.png").arg(i);
            QVERIFY(noisyFrame(500, 400, &random).save(noisy.last()));
        }
        importImages(window, noisy);
        SizeLimitBox *box = page->jobOptions->sizeLimitBox;
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QString("1 MB"));
        createGif();
        QCOMPARE(answerer.dialogs, QStringList{completed});
        QCOMPARE(overlayText(window),
                 QString::fromUtf8("Create GIF: 100.00% · fitting under 1 MB"));
        const qint64 size = QFileInfo(outFolder + "/20243578945.gif").size();
        QVERIFY2(size <= 1000000 && size >= 850000, qPrintable(QString::number(size)));

        QVERIFY(QFile::remove(outFolder + "/20243578945.gif"));
        answerer.dialogs.clear();
        QTest::keyClick(box, Qt::Key_End);
        answerNumber(page->jobOptions, "0.01", Qt::Key_Return);
        QCOMPARE(box->currentText(), QString("10 KB"));
        createGif();
        QCOMPARE(answerer.dialogs.size(), 1);
        QVERIFY2(answerer.dialogs.first().startsWith(
                     "Failed, the GIF does not fit under 10 KB even at the smallest settings"),
                 qPrintable(answerer.dialogs.first()));
        QCOMPARE(QDir(outFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(readSetting(Setting::imagesMaxBytes), 0);
    }

    // Two small pictures, one wide and one tall, that together need a canvas of 120
    // megapixels: refused with a notice that says so, and no file. (The command line's test
    // takes 65535 x 1525 and 1525 x 65535, whose thumbnails alone take 800 MB to make.)
    void canvasOverTheLimitIsRefused()
    {
        QStringList paths;
        for (const QSize &size : {QSize(20000, 10), QSize(10, 6000)}) {
            QImage picture(size, QImage::Format_Mono);
            picture.fill(0);
            paths << temp.path() + QString("/%1x%2.png").arg(size.width()).arg(size.height());
            QVERIFY(picture.save(paths.last()));
        }
        importImages(window, paths);
        QCOMPARE(strip->inUseCount(), 2);
        createGif();
        QCOMPARE(answerer.dialogs,
                 QStringList{QString::fromUtf8("Failed, the pictures together need a canvas of "
                                               "20000 × 6000 pixels, more than 100 "
                                               "megapixels. [OK]")});
        QCOMPARE(QDir(outFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void fullDiskIsNamedAndLeavesNoFile()
    {
    #ifndef Q_OS_UNIX
        QSKIP("limits the file size through POSIX calls");
    #else
        importImages(window, {wide});
        {
            const FileSizeLimit limit(1000, true);
            QVERIFY(limit.active());
            createGif();
        }
        QCOMPARE(answerer.dialogs, QStringList{"Failed, could not write into " + outFolder
                                               + ". [OK]"});
        QCOMPARE(QDir(outFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
    #endif
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

    // The GIF takes each tile's delay (its own, or its place's at the frame rate) and the
    // page's choices: here centred pictures, played once.
    void theGifTakesTheTilesDelaysAndThePagesChoices()
    {
        importImages(window, {wide, tall, wide});
        chooseCustomRate(page, "30", Qt::Key_Return);
        strip->setDelay({strip->tilesInUse().at(1)}, 50);
        JobOptionsWidget *options = page->jobOptions;
        QTest::keyClick(options->placementComboBox, Qt::Key_Down);
        QTest::keyClick(options->playComboBox, Qt::Key_Down);
        createGif();
        QTest::keyClick(options->placementComboBox, Qt::Key_Home);
        QTest::keyClick(options->playComboBox, Qt::Key_Home);

        DecodedGif decoded;
        QVERIFY(decodeGif(outFolder + "/20243578945.gif", &decoded));
        QList<int> delays;
        for (const DecodedFrame &frame : decoded.frames)
            delays << frame.delay;
        QCOMPARE(delays, (QList<int>{3, 50, 4}));
        QVERIFY(!decoded.hasLoopExtension);
        // The 300 x 900 picture in the middle of the 640 x 900 canvas, the wide one's pixels
        // cleared around it.
        const QImage second = decoded.frames.at(1).canvas;
        QCOMPARE(second.pixelColor(10, 10).alpha(), 0);
        QCOMPARE(second.pixelColor(320, 450).alpha(), 255);
        QCOMPARE(second.pixelColor(630, 10).alpha(), 0);
    }
};

LUMORRA_UI_TEST_MAIN(TestImagesJob)
#include "tst_imagesjob.moc"
