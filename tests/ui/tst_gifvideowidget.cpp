// The video page end to end: the thumbnail, the form, the conversion and its choices.
#include "pages/thumbnailfit.h"
#include "ui/videopagetest.h"

class TestGifVideoWidget : public VideoPageTest
{
    Q_OBJECT

private slots:
    void initTestCase() { startVideoPage(); }
    void cleanupTestCase() { stopWindow(); }

    void thumbnailIsFittedAndEnablesTheForm_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<QRect>("placement");
        QTest::addColumn<QString>("facts");
        QTest::newRow("200 x 150 natural and centred")
            << "small.mp4" << QRect(129, 224, 200, 150) << QString::fromUtf8("00:00:01 · 200 × 150");
        QTest::newRow("640 x 360 fitted to the width")
            << "wide.mp4" << QRect(0, 171, 457, 257) << QString::fromUtf8("00:00:01 · 640 × 360");
        QTest::newRow("360 x 640 fitted to the height")
            << "tall.mp4" << QRect(61, 0, 336, 598) << QString::fromUtf8("00:00:01 · 360 × 640");
    }

    void thumbnailIsFittedAndEnablesTheForm()
    {
        QFETCH(QString, video);
        window->switchPage(2);
        QCOMPARE(formLook(), QString("disabled"));
        QVERIFY(page->addVideosButton->tileEnabled && page->backupmeuButton->tileEnabled);
        QVERIFY(importVideo(video));
        QVERIFY(!page->thumbLabel->isHidden());
        QTEST(page->thumbLabel->geometry(), "placement");
        QTEST(page->clipFactsLabel->text(), "facts");
        QCOMPARE(formLook(), QString("enabled"));
        QVERIFY(answerer.dialogs.isEmpty());
        // The folder is remembered with its trailing slash, and the chooser opens there; the
        // very first time it opened in the "Save to:" folder. No still is left behind.
        QCOMPARE(readSetting(Setting::addVideoPath), videos + "/");
        QCOMPARE(chooserFolders.first(), output);
        QCOMPARE(chooserFolders.last(), chooserFolders.size() == 1 ? output : videos + "/");
        QCOMPARE(QDir(tempFolder()).entryList(QDir::Files), QStringList());
    }

    void thumbnailFitsToTheFramesEdge()
    {
        // The real videos above cover the three cases; this is the edge of the frame.
        QCOMPARE(thumbnailPlacement(QSize(456, 100), QSize(458, 599)), QRect(1, 249, 456, 100));
    }

    void notAVideoLeavesTheFormAsItWas()
    {
        QVERIFY(importVideo("small.mp4"));
        const QImage thumbnail = shownThumbnail();
        for (const char *video : {"junk.mp4", "empty.mp4", "audio.mp4"}) {
            QVERIFY(importVideo(video));
            QCOMPARE(answerer.dialogs, QStringList{notAVideoText});
            QCOMPARE(formLook(), QString("enabled"));
            QCOMPARE(shownThumbnail(), thumbnail);
            QCOMPARE(page->clipFactsLabel->text(), QString::fromUtf8("00:00:01 · 200 × 150"));
        }

        // On the fresh page the form stays disabled.
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTest::qWait(300);
        QVERIFY(page->thumbLabel->isHidden() && page->clipFactsLabel->isHidden());
        window->switchPage(2);
        QVERIFY(importVideo("junk.mp4"));
        QCOMPARE(answerer.dialogs, QStringList{notAVideoText});
        QCOMPARE(formLook(), QString("disabled"));
    }

    void thumbnailFollowsTheStartTime()
    {
        page->startTimeEdit->setText("0");
        QVERIFY(importVideo("clip.part1.mp4"));
        const QImage atStart = shownThumbnail();
        // Typing waits for a pause; the form stays usable meanwhile.
        page->startTimeEdit->selectAll();
        QTest::keyClicks(page->startTimeEdit, "2");
        QVERIFY(window->loadingWidget->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(shownThumbnail() != atStart, 10000);
        page->startTimeEdit->selectAll();
        QTest::keyClicks(page->startTimeEdit, "0");
        QTRY_COMPARE_WITH_TIMEOUT(shownThumbnail(), atStart, 10000);
        // Past the clip's end the thumbnail stays, and the field says why while it is typed.
        QVERIFY(page->startTimeEdit->toolTip().isEmpty());
        QTest::keyClicks(page->startTimeEdit, "9");
        QCOMPARE(page->startTimeEdit->toolTip(), QString("past the end of the clip (00:00:03)"));
        QVERIFY(page->startTimeEdit->property("problem").toBool());
        QTest::qWait(800);
        QCOMPARE(shownThumbnail(), atStart);
        QTest::keyClicks(page->startTimeEdit, "x");
        QCOMPARE(page->startTimeEdit->toolTip(), QString("not a time: seconds, m:ss or h:mm:ss"));
        QTest::keyClick(page->startTimeEdit, Qt::Key_Backspace);
        QTest::keyClick(page->startTimeEdit, Qt::Key_Backspace);
        QVERIFY(page->startTimeEdit->toolTip().isEmpty());
        QVERIFY(!page->startTimeEdit->property("problem").toBool());
        QCOMPARE(QDir(tempFolder()).entryList(QDir::Files), QStringList());
    }

    void conversionWritesTheGifAndOffersTheFolder()
    {
        QVERIFY(importVideo("clip.part1.mp4"));
        // An earlier GIF of the clip stays; the new one has a name of its own beside it.
        const QString earlier = output + "/clip.part1.gif";
        const QString gif = output + "/clip.part1_2.gif";
        QVERIFY(writeFile(earlier, "an earlier GIF of the clip"));
        // The duration field takes a decimal point as typed; width alone keeps proportions.
        page->durationEdit->clear();
        QTest::keyClicks(page->durationEdit, "1.5");
        QCOMPARE(page->durationEdit->text(), QString("1.5"));
        // One part is plain seconds: 1 s of the 3 s clip is left after it.
        page->startTimeEdit->setText("2");
        page->widthEdit->setText("160");
        page->heightEdit->setText("0");
        QVERIFY(createGif());
        QCOMPARE(answerer.dialogs,
                 QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        QCOMPARE(overlayText(window), QString("Create GIF: 100.00% "));
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(160, 120));
        // 1 second at 15 frames a second.
        QVERIFY2(qAbs(decoded.frames.size() - 15) <= 1,
                 qPrintable(QString::number(decoded.frames.size())));
        QTRY_COMPARE_WITH_TIMEOUT(fileText(opened), "1 " + output + "\n", 10000);
        QCOMPARE(QDir(output).entryList({"*.part"}), QStringList());
        QCOMPARE(fileText(earlier), QString("an earlier GIF of the clip"));

        // A language change keeps start and duration as they ran and resets the size.
        window->retranslateAll();
        QCOMPARE(QStringList({page->startTimeEdit->text(), page->durationEdit->text(),
                              page->widthEdit->text(), page->heightEdit->text()}),
                 QStringList({"00:00:02", "1.5", "0", "0"}));
        QCOMPARE(formLook(), QString("enabled"));

        // A video whose name differs only after its first dot gets a GIF of its own.
        const QStringList before = folderState(output);
        QVERIFY(importVideo("clip.part2.mp4"));
        QVERIFY(createGif("0", "0.2"));
        QCOMPARE(folderState(output).filter("clip.part1.gif"), before.filter("clip.part1.gif"));
        // A fifth of a second: a handful of frames, not the whole clip.
        QVERIFY(decodeGif(output + "/clip.part2.gif", &decoded));
        QVERIFY2(decoded.frames.size() < 10, qPrintable(QString::number(decoded.frames.size())));
    }

    void unusableFormIsRefusedBeforeTheToolStarts_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("fromClip");
        QTest::addColumn<QString>("notice");
        QTest::newRow("start not a time")
            << "1:x" << "1" << "0" << "0" << false
            << "Failed, Start Time: not a time: seconds, m:ss or h:mm:ss [OK]";
        QTest::newRow("start past the end")
            << "90" << "1" << "0" << "0" << false
            << "Failed, Start Time: past the end of the clip (00:00:03) [OK]";
        QTest::newRow("too long") << "0" << "10001" << "0" << "0" << false << failedText;
        QTest::newRow("too wide") << "0" << "1" << "9999" << "0" << false << failedText;
        QTest::newRow("too high") << "0" << "1" << "0" << "4097" << false << failedText;
        QTest::newRow("too much for the palette pass")
            << "0" << "0" << "4096" << "4096" << true
            << "Failed, the GIF is too long or too large for High quality colours. [OK]";
    }

    void unusableFormIsRefusedBeforeTheToolStarts()
    {
        QFETCH(bool, fromClip);
        // Still the 3 s clip of the test before.
        QCOMPARE(page->clipFactsLabel->text(), QString::fromUtf8("00:00:03 · 320 × 240"));
        const QStringList before = folderState(output);
        page->coloursCheckBox->setChecked(fromClip);
        QFETCH(QString, start);
        QFETCH(QString, duration);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QVERIFY(createGif(start, duration, width, height));
        page->coloursCheckBox->setChecked(false);
        QTEST(answerer.dialogs.join(""), "notice");
        QCOMPARE(folderState(output), before);
    }

    void frameRateAndColoursAreChosenAndRemembered()
    {
        QVERIFY(importVideo("flat.mp4"));
        const QString gif = output + "/flat.gif";
        // The tool's fixed palette dots a flat colour; the clip's own palette holds it.
        QVERIFY(createGif("0", "0"));
        QVERIFY(firstFrameColours(gif) > 1);
        QTest::mouseClick(page->coloursCheckBox, Qt::LeftButton);
        page->frameRateComboBox->setFocus();
        QTest::keyClick(page->frameRateComboBox, Qt::Key_Up); // 15 -> 10
        QTest::keyClick(page->frameRateComboBox, Qt::Key_Up); // 10 -> 5
        QVERIFY(createGif("0", "0"));
        const QString second = output + "/flat_2.gif";
        QCOMPARE(firstFrameColours(second), 1);
        DecodedGif decoded;
        QVERIFY(decodeGif(second, &decoded));
        QVERIFY2(qAbs(decoded.frames.size() - 5) <= 1,
                 qPrintable(QString::number(decoded.frames.size())));

        GifVideoWidget fresh;
        fresh.retranslateUi();
        QCOMPARE(fresh.frameRateComboBox->currentText(), QString("5Frame/s"));
        QVERIFY(fresh.coloursCheckBox->isChecked());
        // A language change keeps the choice.
        window->retranslateAll();
        QCOMPARE(page->frameRateComboBox->currentText(), QString("5Frame/s"));
        QTest::mouseClick(page->coloursCheckBox, Qt::LeftButton);
        page->frameRateComboBox->setCurrentIndex(2);
        QVERIFY(!readSetting(Setting::videoHighQualityColours));
    }

    // Below 100 the tool only decodes and our encoder writes the GIF: the flat colour that
    // the tool's fixed palette dots comes out whole, with progress per frame.
    void qualityBelow100IsWrittenByOurEncoder()
    {
        QVERIFY(importVideo("flat.mp4"));
        // Earlier GIFs of the clip would make this one flat_3.gif.
        for (const QString &earlier : QDir(output).entryList({"flat*.gif"}))
            QVERIFY(QFile::remove(output + "/" + earlier));
        const QString gif = output + "/flat.gif";
        page->qualitySpinBox->setFocus();
        page->qualitySpinBox->selectAll();
        QTest::keyClicks(page->qualitySpinBox, "70");
        QCOMPARE(readSetting(Setting::videoQuality), 70);
        QVERIFY(!page->coloursCheckBox->isEnabled());
        QVERIFY(createGif("0", "0"));
        QCOMPARE(answerer.dialogs,
                 QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        QCOMPARE(overlayText(window), QString("Create GIF: 100.00% "));
        QCOMPARE(firstFrameColours(gif), 1);
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.frames.size(), 15);
        QCOMPARE(decoded.canvasSize, QSize(64, 48));

        GifVideoWidget fresh;
        fresh.retranslateUi();
        QCOMPARE(fresh.qualitySpinBox->value(), 70);
        page->qualitySpinBox->setValue(100);
        QVERIFY(page->coloursCheckBox->isEnabled());
    }

};

LUMORRA_UI_TEST_MAIN(TestGifVideoWidget)
#include "tst_gifvideowidget.moc"
