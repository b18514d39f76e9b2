// The image strip on the images page: layout, pooled tiles, deletion, import, the frame
// rate, the job's choices and the preview.
#include "pages/previewdialog.h"
#include "ui/imagestriptest.h"

class TestImageStrip : public ImageStripTest
{
    Q_OBJECT

private slots:
    void initTestCase() { startImagesPage(); }
    void cleanupTestCase() { stopWindow(); }
    void init() { window->switchPage(1); }

    void deletionReusesTilesAndMatchesFreshStrip()
    {
        QStringList five;
        for (int i = 0; i < 5; ++i)
            five << image(QString("p%1.png").arg(i));
        importImages(window, five);
        const QList<ImageItem *> pool = strip->items;
        QCOMPARE(pool.size(), 5);

        ImageItem *second = pool.at(1);
        deleteTile(second);
        QVERIFY(second->isHidden());
        QCOMPARE(tiles(), QStringList({"p0.png 1 6,12", "p2.png 2 120,12", "p3.png 3 234,12",
                                       "p4.png 4 348,12"}));
        // The deleted tile let its thumbnail go.
        QVERIFY(second->image.thumbnail.isNull());
        // On a fresh strip the deleted widget is the only released one: the import reuses it.
        importImages(window, {image("p1.png")});
        QCOMPARE(strip->items.size(), 5);
        QCOMPARE(strip->items.last(), second);
        QCOMPARE(tiles().last(), QStringLiteral("p1.png 5 6,147"));
        QVERIFY(!second->delButton->isVisible());

        deleteTile(strip->items.first());
        importImages(window, {image("p0.png")});
        const QStringList afterEdits = tiles();
        window->switchPage(1);
        QCOMPARE(strip->inUseCount(), 0);
        QStringList again;
        for (const QString &tile : afterEdits)
            again << temp.path() + "/" + tile.section(' ', 0, 0);
        for (const QString &path : again)
            importImages(window, {path});
        QCOMPARE(tiles(), afterEdits);
        QCOMPARE(strip->items.size(), 5);
    }

    void letterboxedThumbnailsAndElidedNames()
    {
        QCOMPARE(uiScale, 1.0f);
        // Wide, tall and small pictures keep their proportions, centred on the tile's
        // background in the 89 x 89 picture area.
        const QColor background(0x3c, 0x3c, 0x3c);
        QImage tall(40, 160, QImage::Format_RGB32);
        tall.fill(Qt::red);
        QVERIFY(tall.save(temp.path() + "/tall.png"));
        importImages(window, {image("wide.png", 300, 60), temp.path() + "/tall.png",
                              image("small.png", 8, 4)});
        QStringList shapes;
        for (const ImageItem *item : strip->items) {
            if (!item->inUse)
                continue;
            const QImage shown = item->imageLabel->palette().window().texture().toImage();
            QCOMPARE(shown.size(), QSize(89, 89));
            QRect picture;
            for (int y = 0; y < 89; ++y) {
                for (int x = 0; x < 89; ++x) {
                    if (shown.pixelColor(x, y) != background)
                        picture |= QRect(x, y, 1, 1);
                }
            }
            shapes << QStringLiteral("%1x%2 at %3,%4 of %5x%6")
                          .arg(picture.width()).arg(picture.height())
                          .arg(picture.x()).arg(picture.y())
                          .arg(item->image.size.width()).arg(item->image.size.height());
        }
        QCOMPARE(shapes, QStringList({"89x44 at 0,22 of 8x4", "22x89 at 33,0 of 40x160",
                                      "89x17 at 0,36 of 300x60"}));

        // A long name gives way in its middle and keeps its end; the tooltip has the path.
        window->switchPage(1);
        const QString longName = image("summer_holiday_beach_walk_frame_0001.png");
        importImages(window, {longName, image("a.png")});
        const QLabel *name = tile(1)->nameLabel;
        QVERIFY2(name->text().startsWith("s") && name->text().contains("…")
                     && name->text().endsWith("0001.png"), qPrintable(name->text()));
        QVERIFY(name->fontMetrics().horizontalAdvance(name->text()) <= name->width());
        QCOMPARE(tile(1)->toolTip(), QDir::toNativeSeparators(longName));
        QCOMPARE(tile(0)->nameLabel->text(), QString("a.png"));
    }

    void lastDeletionSignalsOnce()
    {
        importImages(window, {image("a.png"), image("b.png")});
        QVERIFY(page->createGifButton->tileEnabled);
        QSignalSpy noItems(strip, SIGNAL(NoItemsignal()));
        for (ImageItem *item : QList<ImageItem *>(strip->items)) {
            if (item->inUse)
                deleteTile(item);
        }
        QCOMPARE(noItems.count(), 1);
        QVERIFY(!page->createGifButton->tileEnabled && !page->createGifButton->isEnabled());
    }

    void importKeepsDuplicatesAndNamesTheUnreadable()
    {
        const QString junk = temp.path() + "/junk.png";
        QVERIFY(writeFile(junk, "not an image"));
        // A header claiming 20000 x 20000, far beyond what a frame may be, and no pixels;
        // then a real picture wider than a GIF can be.
        const QString huge = temp.path() + "/huge.png";
        QVERIFY(writeFile(huge, QByteArray::fromHex(
                                    "89504e470d0a1a0a0000000d4948445200004e2000004e2008020000"
                                    "006c12d16e0000000049454e44ae426082")));
        QString asked;
        FileChooser::answerOpenFiles([&](const QString &caption, const QString &,
                                         const QString &filter) {
            asked = caption + " " + filter;
            return QStringList{image("a.png"), junk, huge, image("long.png", 70000, 1),
                               image("a.png")};
        });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);
        QTRY_VERIFY(window->loadingWidget->isHidden());
        QCOMPARE(asked, QStringLiteral("Add Image Files Image (*.jpg *.png *.jpeg *.bmp)"));
        QCOMPARE(tiles(), QStringList({"a.png 1 6,12", "a.png 2 120,12"}));
        QCOMPARE(readSetting(Setting::addImagesPath), temp.path() + "/");
        const QString limits = " pixels: a frame can be at most 65535 a side and 100 megapixels";
        QTRY_COMPARE(answerer.dialogs,
                     QStringList("Not opened:\nhuge.png: not a picture, or damaged\njunk.png: "
                                 "not a picture, or damaged\nlong.png: 70000 × 1"
                                 + limits + " [OK]"));
        answerer.dialogs.clear();

        // A cancelled chooser changes nothing.
        importImages(window, {});
        QCOMPARE(tiles().size(), 2);
        // Only unreadable files: Create GIF stays off.
        window->switchPage(1);
        importImages(window, {junk});
        QCOMPARE(strip->inUseCount(), 0);
        QVERIFY(!page->createGifButton->tileEnabled);
        QTRY_COMPARE(answerer.dialogs,
                     QStringList("Not opened:\njunk.png: not a picture, or damaged [OK]"));
        answerer.dialogs.clear();
    }

    void largeImportShowsCountKeepsOrderAndCancels()
    {
        QStringList paths;
        for (int i = 0; i < 12; ++i)
            paths << image(QString("big%1.png").arg(i), 900 + 10 * i, 700);
        paths.insert(5, temp.path() + "/missing.png");
        FileChooser::answerOpenFiles([paths](auto &&...) { return paths; });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);
        QCOMPARE(overlayText(window), QStringLiteral("Loading... 0/13"));
        QTRY_COMPARE(overlayText(window), QStringLiteral("Loading... 13/13"));
        QTRY_VERIFY(window->loadingWidget->isHidden());
        const QStringList shown = tiles();
        QCOMPARE(shown.size(), 12);
        QCOMPARE(shown.at(5), QStringLiteral("big5.png 6 120,147"));
        QCOMPARE(shown.at(11), QStringLiteral("big11.png 12 348,282"));
        QCOMPARE(strip->items.last()->image.size, QSize(1010, 700));
        QTRY_COMPARE(answerer.dialogs, QStringList("Not opened:\nmissing.png: no such file [OK]"));
        answerer.dialogs.clear();

        // Cancelled part-way, the import keeps the tiles it has shown.
        window->switchPage(1);
        const QString noise = temp.path() + "/noise.png";
        QRandomGenerator random(3);
        QVERIFY(noisyFrame(700, 700, &random).save(noise));
        FileChooser::answerOpenFiles(
            [noise](auto &&...) { return QVector<QString>(40, noise).toList(); });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);
        while (strip->inUseCount() == 0)
            QTest::qWait(1);
        window->cancelRunningJob();
        const int kept = strip->inUseCount();
        QVERIFY2(kept < 40, "the import ended before it could be cancelled");
        QTRY_VERIFY(window->loadingWidget->isHidden());
        QTest::qWait(50);
        QCOMPARE(strip->inUseCount(), kept);
        QVERIFY(page->createGifButton->tileEnabled);
    }

    void backupAndReentryEmptyTheStrip()
    {
        importImages(window, {image("a.png")});
        QVERIFY(page->createGifButton->tileEnabled);
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTRY_VERIFY(page->isHidden());
        // Gone back, the strip holds no thumbnail any more.
        for (const ImageItem *item : strip->items) {
            QVERIFY(!item->inUse && item->image.thumbnail.isNull());
            QVERIFY(item->imageLabel->palette().window().texture().isNull());
        }
        QTest::mouseClick(window->menuWidget->gifPhotoButton, Qt::LeftButton);
        QVERIFY(page->isVisible());
        QCOMPARE(strip->inUseCount(), 0);
        for (const ImageItem *item : strip->items)
            QVERIFY(item->isHidden());
        QVERIFY(!page->createGifButton->tileEnabled);
        QCOMPARE(page->createGifButton->styleSheet(), page->createGifButton->disabledStyle);
    }

    // The rate is kept in the settings, over a language switch and a return to the page; a
    // rate of one's own is asked for and listed among the four.
    void frameRateIsRememberedAndAskedFor()
    {
        QComboBox *box = page->framepsComboBox;
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QCOMPARE(items.join('|'), QString("1Frame/s|2Frame/s|5Frame/s|10Frame/s|Custom…"));
        QCOMPARE(box->currentText(), QString("10Frame/s"));
        QList<int> delays;
        QTest::keyClick(box, Qt::Key_Home);
        delays << page->jobChoices.frameRate;
        for (int i = 1; i < 4; ++i) {
            QTest::keyClick(box, Qt::Key_Down);
            delays << page->jobChoices.frameRate;
        }
        QCOMPARE(delays, (QList<int>{1, 2, 5, 10}));

        chooseCustomRate(page, "12", Qt::Key_Return);
        QCOMPARE(box->currentText(), QString("12Frame/s"));
        QCOMPARE(box->itemText(4), QString("12Frame/s"));
        QCOMPARE(page->jobChoices.frameRate, 12);
        chooseCustomRate(page, "3", Qt::Key_Escape);
        window->retranslateAll();
        window->switchPage(0);
        window->switchPage(1);
        QCOMPARE(box->currentText(), QString("12Frame/s"));
        QCOMPARE(readSetting(Setting::imagesFrameRate), 12);

        QVERIFY(!page->smallerFileCheckBox->isChecked());
        QTest::mouseClick(page->smallerFileCheckBox, Qt::LeftButton);
        GifImagesWidget next;
        QCOMPARE(next.jobChoices.frameRate, 12);
        QVERIFY(next.jobChoices.encoding.smallerFile && next.smallerFileCheckBox->isChecked());
        QTest::mouseClick(page->smallerFileCheckBox, Qt::LeftButton);
        QVERIFY(!readSetting(Setting::imagesSmallerFile));
    }

    // Where smaller pictures go, the size and the plays are asked where needed, reach the
    // job's choices and are remembered.
    void jobOptionsAreAskedAndRemembered()
    {
        JobOptionsWidget *options = page->jobOptions;
        const auto items = [](QComboBox *box) {
            QStringList texts;
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
            return texts.join('|');
        };
        QCOMPARE(items(options->placementComboBox), QString("Top left|Centred|Scaled to fit"));
        QCOMPARE(items(options->resizeComboBox), QString("Original size|Width…|Height…"));
        QCOMPARE(items(options->playComboBox), QString("Forever|Once|Times…"));
        QCOMPARE(items(options->qualityComboBox),
                 QString("100 (exact)|90|80|70|60|50|40|Level…"));

        QTest::keyClick(options->placementComboBox, Qt::Key_End);
        QCOMPARE(page->jobChoices.placement, Placement::ScaledToFit);
        QTest::keyClick(options->resizeComboBox, Qt::Key_Down);
        answerNumber(options, "320", Qt::Key_Return);
        QCOMPARE(page->jobChoices.resize, QSize(320, 0));
        QCOMPARE(options->resizeComboBox->currentText(), QString("Width 320 px"));
        // A question cancelled keeps the size chosen before.
        QTest::keyClick(options->resizeComboBox, Qt::Key_End);
        answerNumber(options, "100", Qt::Key_Escape);
        QCOMPARE(options->resizeComboBox->currentText(), QString("Width 320 px"));
        QTest::keyClick(options->playComboBox, Qt::Key_End);
        answerNumber(options, "3", Qt::Key_Return);
        QCOMPARE(page->jobChoices.encoding.playCount, 3);
        QCOMPARE(items(options->playComboBox), QString("Forever|Once|3 times|Times…"));
        QTest::keyClick(options->qualityComboBox, Qt::Key_End);
        answerNumber(options, "35", Qt::Key_Return);
        QCOMPARE(page->jobChoices.encoding.quality, 35);
        QCOMPARE(options->qualityComboBox->currentText(), QString("35"));

        window->retranslateAll();
        GifImagesWidget next;
        next.retranslateUi();
        QCOMPARE(next.jobChoices.placement, Placement::ScaledToFit);
        QCOMPARE(next.jobChoices.resize, QSize(320, 0));
        QCOMPARE(next.jobChoices.encoding.playCount, 3);
        QCOMPARE(next.jobOptions->playComboBox->currentText(), QString("3 times"));
        QCOMPARE(next.jobChoices.encoding.quality, 35);

        QTest::keyClick(options->placementComboBox, Qt::Key_Home);
        QTest::keyClick(options->resizeComboBox, Qt::Key_Home);
        QTest::keyClick(options->playComboBox, Qt::Key_Home);
        QTest::keyClick(options->qualityComboBox, Qt::Key_Home);
        QCOMPARE(readSetting(Setting::imagesResizeWidth), 0);
        QCOMPARE(readSetting(Setting::imagesQuality), 100);
        QCOMPARE(page->jobChoices.encoding.playCount, 0);
    }

    void previewShowsTheGifsFrames_data()
    {
        QTest::addColumn<int>("placement");
        QTest::addColumn<QString>("probes");
        // Of the 300 x 200 frame after the 700 x 400 one, shown at 480 x 274: at the top left
        // corner, near it, in the middle and at the bottom right.
        QTest::newRow("Top left") << 0 << "blue blue clear clear";
        QTest::newRow("Centred") << 1 << "clear clear blue clear";
        QTest::newRow("Scaled to fit") << 2 << "clear blue blue clear";
    }

    // The preview shows the frames as composed on the canvas, the clear parts over a
    // checkerboard, each for its own delay, and stops after the GIF's plays.
    void previewShowsTheGifsFrames()
    {
        QFETCH(int, placement);
        const QString big = temp.path() + "/big.png";
        const QString small = temp.path() + "/small.png";
        QVERIFY(flatFrame(700, 400, qRgb(220, 0, 0)).save(big));
        QVERIFY(flatFrame(300, 200, qRgb(0, 0, 220)).save(small));
        importImages(window, {big, small});
        strip->setDelay({tile(0)}, 100);
        JobOptionsWidget *options = page->jobOptions;
        QTest::keyClick(options->placementComboBox, Qt::Key_Home);
        for (int i = 0; i < placement; ++i)
            QTest::keyClick(options->placementComboBox, Qt::Key_Down);
        QTest::keyClick(options->playComboBox, Qt::Key_End);
        answerNumber(options, "2", Qt::Key_Return);

        QTest::mouseClick(page->previewButton, Qt::LeftButton);
        QPointer<PreviewDialog> preview = page->findChild<PreviewDialog *>();
        QVERIFY(preview);
        QStringList seen;
        QElapsedTimer clock;
        clock.start();
        qint64 firstShown = 0;
        while (preview->isPlaying() && clock.elapsed() < 10000) {
            const QString counter = preview->counterLabel->text();
            if (seen.isEmpty() || seen.last() != counter) {
                // The first frame holds for its own second, not the rate's tenth (timers
                // may fire a little early).
                if (seen.size() == 1)
                    QVERIFY(clock.elapsed() - firstShown >= 900);
                seen << counter;
                firstShown = clock.elapsed();
            }
            QTest::qWait(5);
        }
        QCOMPARE(seen.join(", "), QString("Frame 1 of 2, Frame 2 of 2, Frame 1 of 2, Frame 2 of 2"));
        QCOMPARE(preview->playButton->text(), QString("Play"));

        const QImage shown = preview->pictureLabel->pixmap(Qt::ReturnByValue).toImage();
        QCOMPARE(shown.size(), QSize(480, 274));
        QStringList probes;
        for (const QPoint &at : {QPoint(2, 2), QPoint(40, 10), QPoint(240, 137), QPoint(477, 271)}) {
            const QColor colour = shown.pixelColor(at);
            const bool grey = colour.red() == colour.green() && colour.green() == colour.blue();
            probes << (grey ? "clear" : colour.blue() > 200 ? "blue" : colour.name());
        }
        QTEST(probes.join(' '), "probes");

        // Played again, it starts from the first frame.
        QTest::mouseClick(preview->playButton, Qt::LeftButton);
        QVERIFY(preview->isPlaying());
        QCOMPARE(preview->counterLabel->text(), QString("Frame 1 of 2"));
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!preview);
        QTest::keyClick(options->playComboBox, Qt::Key_Home);
        QTest::keyClick(options->placementComboBox, Qt::Key_Home);
    }

    // The preview plays the frames in order and round again, pauses, and Esc ends it.
    void previewPlaysPausesAndCloses()
    {
        QVERIFY(!page->previewButton->isEnabled());
        QStringList paths;
        for (int i = 0; i < 3; ++i) {
            paths << temp.path() + QString("/p%1.png").arg(i);
            QVERIFY(flatFrame(64, 48, qRgb(60 * i + 1, 37, 113)).save(paths.last()));
        }
        importImages(window, paths);
        QTest::mouseClick(page->previewButton, Qt::LeftButton);
        QPointer<PreviewDialog> preview = page->findChild<PreviewDialog *>();
        QVERIFY(preview && preview->isVisible());
        // Each frame as it shows: the counter and the red of the picture.
        QStringList seen;
        QElapsedTimer clock;
        clock.start();
        while (seen.size() < 5 && clock.elapsed() < 10000) {
            QTest::qWait(5);
            const QImage shown = preview->pictureLabel->pixmap(Qt::ReturnByValue).toImage();
            if (shown.isNull())
                continue;
            const QString state = preview->counterLabel->text() + " "
                                  + QString::number(qRed(shown.pixel(shown.rect().center())));
            if (seen.isEmpty() || seen.last() != state)
                seen << state;
        }
        QCOMPARE(seen.join(", "), QString("Frame 1 of 3 1, Frame 2 of 3 61, Frame 3 of 3 121, "
                                          "Frame 1 of 3 1, Frame 2 of 3 61"));
        QTest::mouseClick(preview->playButton, Qt::LeftButton);
        QCOMPARE(preview->playButton->text(), QString("Play"));
        const QString paused = preview->counterLabel->text();
        QTest::qWait(300);
        QCOMPARE(preview->counterLabel->text(), paused);
        QTest::keyClick(preview, Qt::Key_Space);
        QVERIFY(preview->isPlaying());
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!preview);
    }
};

LUMORRA_UI_TEST_MAIN(TestImageStrip)
#include "tst_imagestrip.moc"
