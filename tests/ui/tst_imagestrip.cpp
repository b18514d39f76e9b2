// The image strip on the images page: layout, pooled tiles, deletion and import.
#include "ui/uitesthelpers.h"

class TestImageStrip : public PageTest
{
    Q_OBJECT

    GifImagesWidget *page = nullptr;
    ViewImageWidget *strip = nullptr;

    QString image(const QString &name, int w = 40, int h = 30)
    {
        const QString path = temp.path() + "/" + name;
        if (!QFileInfo::exists(path))
            blockImage(w, h, qRgb(qHash(name) % 256, 90, 160), qRgb(20, 20, 20)).save(path);
        return path;
    }

    // "file number x,y" of every tile in use, in strip order.
    QStringList tiles() const
    {
        QStringList tiles;
        for (const ImageItem *item : strip->items) {
            if (item->inUse)
                tiles << QStringLiteral("%1 %2 %3,%4")
                             .arg(QFileInfo(item->imagePath).fileName(),
                                  item->numberLabel->text())
                             .arg(item->x())
                             .arg(item->y());
        }
        return tiles;
    }

    // Hovering shows the tile's delete button; clicking it deletes the tile.
    void deleteTile(ImageItem *item)
    {
        sendEvent(item, QEvent::Enter);
        QVERIFY(item->delButton->isVisible());
        QTest::mouseClick(item->delButton, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        startWindow();
        page = window->imagesWidget;
        strip = page->viewImageWidget;
    }

    void cleanupTestCase() { stopWindow(); }
    void init() { window->switchPage(1); }

    void deletionReusesTilesAndMatchesFreshStrip()
    {
        for (int i = 0; i < 5; ++i)
            strip->addImage(image(QString("p%1.png").arg(i)));
        const QList<ImageItem *> pool = strip->items;
        QCOMPARE(pool.size(), 5);

        ImageItem *second = pool.at(1);
        deleteTile(second);
        QVERIFY(second->isHidden());
        QCOMPARE(tiles(), QStringList({"p0.png 1 6,12", "p2.png 2 120,12", "p3.png 3 234,12",
                                       "p4.png 4 348,12"}));
        // On a fresh strip the deleted widget is the only released one: the import reuses it.
        strip->addImage(image("p1.png"));
        QCOMPARE(strip->items.size(), 5);
        QCOMPARE(strip->items.last(), second);
        QCOMPARE(tiles().last(), QStringLiteral("p1.png 5 6,147"));
        QVERIFY(!second->delButton->isVisible());

        deleteTile(strip->items.first());
        strip->addImage(image("p0.png"));
        const QStringList afterEdits = tiles();
        window->switchPage(1);
        QCOMPARE(strip->inUseCount(), 0);
        for (const QString &tile : afterEdits)
            strip->addImage(temp.path() + "/" + tile.section(' ', 0, 0));
        QCOMPARE(tiles(), afterEdits);
        QCOMPARE(strip->items.size(), 5);
    }

    void layoutFigures()
    {
        QCOMPARE(uiScale, 1.0f);
        QCOMPARE(strip->geometry(), QRect(10, 10, 458, 599));
        QCOMPARE(strip->scrollArea->geometry(), QRect(1, 1, 456, 597));
        QCOMPARE(QStringList({rectText(page->addPhotosButton), rectText(page->createGifButton),
                              rectText(page->framepsComboBox),
                              rectText(page->backupmeuButton)}),
                 QStringList({"483 30 100 30", "483 80 100 30", "483 130 100 30",
                              "483 579 100 30"}));

        for (int i = 0; i < 17; ++i) {
            strip->addImage(image(QString("wide%1.png").arg(i), 300, 60));
            // Two short rows (282) stay within the viewport's height.
            if (i == 4)
                QCOMPARE(strip->contentWidget->height(), 597);
        }
        QCOMPARE(tiles().mid(3, 3), QStringList({"wide3.png 4 348,12", "wide4.png 5 6,147",
                                                 "wide5.png 6 120,147"}));
        QCOMPARE(tiles().at(16), QStringLiteral("wide16.png 17 6,552"));
        QCOMPARE(strip->contentWidget->size(), QSize(456, 12 + 5 * 135));
        const ImageItem *first = strip->items.first();
        QCOMPARE(first->size(), QSize(99, 123));
        QCOMPARE(first->imageLabel->geometry(), QRect(5, 10, 89, 89));
        QCOMPARE(first->nameLabel->geometry(), QRect(5, 99, 89, 18));
        // The wide image is squeezed into the square, not letterboxed.
        QCOMPARE(first->imageLabel->palette().window().texture().size(), QSize(89, 89));
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

    void importKeepsDuplicatesAndSkipsUnreadable()
    {
        const QString junk = temp.path() + "/junk.png";
        QVERIFY(writeFile(junk, "not an image"));
        QString asked;
        FileChooser::answerOpenFiles([&](const QString &caption, const QString &,
                                         const QString &filter) {
            asked = caption + " " + filter;
            return QStringList{image("a.png"), junk, image("a.png")};
        });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Add Image Files Image (*.jpg *.png *.jpeg *.bmp)"));
        QCOMPARE(tiles(), QStringList({"a.png 1 6,12", "a.png 2 120,12"}));
        QCOMPARE(readSetting("addImagesPath"), temp.path() + "/");

        // A cancelled chooser changes nothing.
        importImages(window, {});
        QCOMPARE(tiles().size(), 2);
        // Only unreadable files: Create GIF stays off.
        window->switchPage(1);
        importImages(window, {junk});
        QCOMPARE(strip->inUseCount(), 0);
        QVERIFY(!page->createGifButton->tileEnabled);
    }

    void largeImportShowsCountAndKeepsOrder()
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
        QCOMPARE(strip->items.last()->pixmap.size(), QSize(1010, 700));
    }

    void backupAndReentryEmptyTheStrip()
    {
        importImages(window, {image("a.png")});
        QVERIFY(page->createGifButton->tileEnabled);
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTRY_VERIFY(page->isHidden());
        QTest::mouseClick(window->menuWidget->gifPhotoButton, Qt::LeftButton);
        QVERIFY(page->isVisible());
        QCOMPARE(strip->inUseCount(), 0);
        for (const ImageItem *item : strip->items)
            QVERIFY(item->isHidden());
        QVERIFY(!page->createGifButton->tileEnabled);
        QCOMPARE(page->createGifButton->styleSheet(), page->createGifButton->disabledStyle);
    }

    void frameRateSetsDelayAndLanguageResetsIt()
    {
        QComboBox *box = page->framepsComboBox;
        QCOMPARE(box->currentText(), QStringLiteral("10Frame/s"));
        QList<int> delays;
        for (int i = 0; i < box->count(); ++i) {
            box->setCurrentIndex(i);
            delays << strip->frameDelay;
        }
        QCOMPARE(delays, (QList<int>{100, 50, 20, 10}));
        box->setCurrentIndex(2);
        window->retranslateAll();
        QCOMPARE(box->currentIndex(), 3);
        QCOMPARE(strip->frameDelay, 10);
    }
};

LUMORRA_UI_TEST_MAIN(TestImageStrip)
#include "tst_imagestrip.moc"
