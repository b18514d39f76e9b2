// The image strip on the images page: layout, pooled tiles, deletion, import, editing the
// order, the frame rate and the preview.
#include "pages/previewdialog.h"
#include "support/gifdecoder.h"
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
                             .arg(QFileInfo(item->image.path).fileName(),
                                  item->numberLabel->text())
                             .arg(item->x())
                             .arg(item->y());
        }
        return tiles;
    }

    ImageItem *tile(int position) const { return strip->tilesInUse().at(position); }

    // The base names of the tiles, in order, checking that their numbers follow.
    QString names() const
    {
        QStringList names;
        for (const ImageItem *item : strip->tilesInUse()) {
            names << QFileInfo(item->image.path).baseName();
            if (item->numberLabel->text() != QString::number(names.size()))
                names.last() += "#" + item->numberLabel->text();
        }
        return names.join(' ');
    }

    // Drags the tile at from with the mouse onto the gap before the tile at to; the bar
    // that marks the place stands in that gap.
    void dragTile(int from, int to)
    {
        ImageItem *moving = tile(from);
        const QRect target = tile(to)->geometry();
        const QPoint gap = moving->mapFrom(strip->contentWidget, target.topLeft() + QPoint(-2, 40));
        QTest::mousePress(moving, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        dragTo(moving, QPoint(40, 40));
        dragTo(moving, gap);
        QWidget *mark = nullptr;
        for (QWidget *child : strip->contentWidget->findChildren<QWidget *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && !qobject_cast<ImageItem *>(child))
                mark = child;
        }
        QVERIFY(mark);
        QVERIFY(mark->geometry().right() < target.x() && mark->x() > target.x() - 20);
        QCOMPARE(mark->y(), target.y());
        QTest::mouseRelease(moving, Qt::LeftButton, Qt::NoModifier, gap);
        QVERIFY(!mark->isVisible());
    }

    // Right-clicks at a point of a widget in the strip and chooses the menu's entry.
    void chooseFromMenu(QWidget *at, const QString &text)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                at->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(at, &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (action->text() == text && action->isEnabled())
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
        QVERIFY2(!menu->isVisible(), qPrintable(text + " is not in the menu"));
    }

    // "10Frame/s", after 1, 2 and 5.
    void chooseTenFramesASecond()
    {
        QTest::keyClick(page->framepsComboBox, Qt::Key_Home);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(page->framepsComboBox, Qt::Key_Down);
        QCOMPARE(page->jobChoices.frameRate, 10);
    }

    // The delays the tiles show, in order.
    QString delays() const
    {
        QStringList shown;
        for (const ImageItem *item : strip->tilesInUse())
            shown << item->delayLabel->text();
        return shown.join(", ");
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

    void editsReorderTheStrip_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("order");
        QTest::newRow("drag 5 before 2") << "drag 4 1" << "a e b c d";
        QTest::newRow("drag 2 before 5") << "drag 1 4" << "a c d b e";
        QTest::newRow("Delete") << "menu 2 Delete" << "a b d e";
        QTest::newRow("Move to start") << "menu 2 Move to start" << "c a b d e";
        QTest::newRow("Move to end") << "menu 1 Move to end" << "a c d e b";
        QTest::newRow("Reverse") << "menu 0 Reverse" << "e d c b a";
        // The tile after a deleted one takes its selection.
        QTest::newRow("Delete key twice") << "key 1" << "a d e";
        // Tab selects the first tile; Right twice, Ctrl+Left moves c; End, Delete.
        QTest::newRow("keyboard") << "keys 0" << "a c b d";
        // Several tiles, selected as in a file manager, are edited together.
        QTest::newRow("Ctrl+clicks, Move to start") << "ctrl 1 3 menu 3 Move to start"
                                                    << "b d a c e";
        QTest::newRow("Shift+click, Reverse") << "shift 1 3 menu 2 Reverse" << "a d c b e";
        QTest::newRow("Ctrl+clicks, drag") << "ctrl 0 2 drag 0 4" << "b d a c e";
        QTest::newRow("Shift+arrows, Ctrl+Right") << "shiftkeys 1" << "a e b c d";
        QTest::newRow("Ctrl+A, Delete") << "all 0 Delete" << "";
    }

    // Each edit, then Ctrl+Z takes it back and Ctrl+Shift+Z makes it again.
    void editsReorderTheStrip()
    {
        QFETCH(QString, edit);
        importImages(window, {image("a.png"), image("b.png"), image("c.png"), image("d.png"),
                              image("e.png")});
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QPoint windowPos = window->pos();
        QStringList words = edit.split(' ');
        if (words.first() == "ctrl" || words.first() == "shift") {
            const Qt::KeyboardModifier held =
                words.first() == "ctrl" ? Qt::ControlModifier : Qt::ShiftModifier;
            QTest::mouseClick(tile(words.at(1).toInt()), Qt::LeftButton,
                              held == Qt::ControlModifier ? held : Qt::NoModifier, QPoint(30, 30));
            QTest::mouseClick(tile(words.at(2).toInt()), Qt::LeftButton, held, QPoint(30, 30));
            words = words.mid(3);
        }
        ImageItem *item = tile(words.at(1).toInt());
        if (words.first() == "drag") {
            dragTile(words.at(1).toInt(), words.at(2).toInt());
        } else if (words.first() == "menu") {
            QCursor::setPos(item->mapToGlobal(QPoint(20, 20)));
            sendEvent(item, QEvent::Enter);
            chooseFromMenu(item, words.mid(2).join(' '));
        } else if (words.first() == "keys" || words.first() == "shiftkeys") {
            strip->scrollArea->setFocus(Qt::TabFocusReason);
            if (words.first() == "keys") {
                QTest::keyClick(strip->scrollArea, Qt::Key_Right);
                QTest::keyClick(strip->scrollArea, Qt::Key_Right);
                QTest::keyClick(strip->scrollArea, Qt::Key_Left, Qt::ControlModifier);
                QTest::keyClick(strip->scrollArea, Qt::Key_End);
                QTest::keyClick(strip->scrollArea, Qt::Key_Delete);
            } else {
                QTest::keyClick(strip->scrollArea, Qt::Key_Right);
                QTest::keyClick(strip->scrollArea, Qt::Key_Right, Qt::ShiftModifier);
                QTest::keyClick(strip->scrollArea, Qt::Key_Right, Qt::ShiftModifier);
                QTest::keyClick(strip->scrollArea, Qt::Key_Right, Qt::ControlModifier);
                QCOMPARE(strip->selectedTiles().size(), 3);
            }
        } else if (words.first() == "all") {
            strip->scrollArea->setFocus();
            QTest::keyClick(strip->scrollArea, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(strip->scrollArea, Qt::Key_Delete);
        } else {
            // The border of a selected tile is lighter than that of the others.
            const auto border = [](ImageItem *tile) { return tile->grab().toImage().pixel(0, 20); };
            const QRgb plain = border(item);
            QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(30, 30));
            QVERIFY(qGray(border(item)) > qGray(plain));
            QTest::keyClick(strip->scrollArea, Qt::Key_Delete);
            QVERIFY(qGray(border(tile(1))) > qGray(plain));
            QTest::keyClick(strip->scrollArea, Qt::Key_Delete);
        }
        QTEST(names(), "order");
        // A drag that starts on a tile leaves the window where it is.
        QCOMPARE(window->pos(), windowPos);
        // Only a tile under the pointer shows its delete badge, also when tiles moved from
        // under it.
        for (ImageItem *shown : strip->tilesInUse())
            QVERIFY(!shown->delButton->isVisible()
                    || shown->rect().contains(shown->mapFromGlobal(QCursor::pos())));

        QVERIFY(strip->isEdited());
        strip->scrollArea->setFocus();
        while (strip->undoStack->canUndo())
            QTest::keyClick(strip->scrollArea, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(names(), QString("a b c d e"));
        QVERIFY(!strip->isEdited() && page->createGifButton->tileEnabled);
        while (strip->undoStack->canRedo())
            QTest::keyClick(page->smallerFileCheckBox, Qt::Key_Z,
                            Qt::ControlModifier | Qt::ShiftModifier);
        QTEST(names(), "order");
    }

    void dragScrollsNearTheEdgeAndTheGifFollows()
    {
        QStringList paths;
        for (int i = 0; i < 17; ++i) {
            paths << temp.path() + QString("/s%1.png").arg(i);
            QVERIFY(flatFrame(40, 30, qRgb(10 * i, 200 - 10 * i, 90)).save(paths.last()));
        }
        importImages(window, paths);
        ImageItem *first = tile(0);
        QWidget *viewport = strip->scrollArea->viewport();
        QScrollBar *bar = strip->scrollArea->verticalScrollBar();
        // Five rows of 12 + 135 pixels, in a viewport 597 high.
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->maximum(), 12 + 5 * 135 - 597);
        const QPoint nearBottom(200, viewport->height() - 5);
        QTest::mousePress(first, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        dragTo(first, first->mapFrom(viewport, nearBottom));
        QTRY_COMPARE(bar->value(), bar->maximum());
        QTest::mouseRelease(first, Qt::LeftButton, Qt::NoModifier,
                            first->mapFrom(viewport, nearBottom));
        QCOMPARE(strip->tilesInUse().last(), first);

        window->menuWidget->savePath = temp.path() + "/out";
        QDir().mkpath(window->menuWidget->savePath);
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.dialogs.size(), 1, 30000);
        answerer.dialogs.clear();
        const QStringList gifs = QDir(window->menuWidget->savePath).entryList({"*.gif"});
        DecodedGif decoded;
        QVERIFY(gifs.size() == 1 && decodeGif(window->menuWidget->savePath + "/" + gifs.first(), &decoded));
        QStringList shown;
        for (const DecodedFrame &frame : decoded.frames)
            shown << QString::number(qRed(frame.canvas.pixel(0, 0)) / 10);
        QCOMPARE(shown.join(' '), QString("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 0"));
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

    // Each tile shows its delay. Three tiles picked with Ctrl+clicks take one of their own
    // through the menu; a frame rate sets every delay again, 30 a second as 3, 3, 4; each
    // step is undone and done again.
    void delaysAreShownSetAndUndone()
    {
        chooseTenFramesASecond();
        importImages(window, {image("a.png"), image("b.png"), image("c.png"), image("d.png"),
                              image("e.png")});
        QCOMPARE(delays(), QString("0.10 s, 0.10 s, 0.10 s, 0.10 s, 0.10 s"));
        QVERIFY(!strip->isEdited());
        // A second Ctrl+click takes a tile out again.
        for (int i : {0, 2, 3, 3, 4})
            QTest::mouseClick(tile(i), Qt::LeftButton, Qt::ControlModifier, QPoint(30, 30));
        chooseFromMenu(tile(2), "Set delay…");
        answerNumber(strip, "0.5", Qt::Key_Return);
        const QString set = "0.50 s, 0.10 s, 0.50 s, 0.10 s, 0.50 s";
        QCOMPARE(delays(), set);
        QList<int> job;
        for (const FrameSource &frame : strip->jobFrames())
            job << frame.delay;
        QCOMPARE(job, (QList<int>{50, 10, 50, 10, 50}));
        chooseFromMenu(strip->contentWidget, "Undo");
        QCOMPARE(delays(), QString("0.10 s, 0.10 s, 0.10 s, 0.10 s, 0.10 s"));
        chooseFromMenu(strip->contentWidget, "Redo");
        QCOMPARE(delays(), set);

        chooseCustomRate(page, "30", Qt::Key_Return);
        QCOMPARE(delays(), QString("0.03 s, 0.03 s, 0.04 s, 0.03 s, 0.03 s"));
        // The same rate again is no step of its own.
        const int steps = strip->undoStack->count();
        chooseCustomRate(page, "30", Qt::Key_Return);
        QCOMPARE(strip->undoStack->count(), steps);
        QCOMPARE(page->framepsComboBox->currentText(), QString("30Frame/s"));
        strip->undoAction->trigger();
        QCOMPARE(delays(), set);
        QCOMPARE(page->framepsComboBox->currentText(), QString("10Frame/s"));
        QCOMPARE(readSetting(Setting::imagesFrameRate), 10);
        strip->redoAction->trigger();
        QCOMPARE(page->jobChoices.frameRate, 30);
        QCOMPARE(page->framepsComboBox->currentText(), QString("30Frame/s"));
        chooseTenFramesASecond();
    }

    // Back and Esc leave at once when the strip was only imported, or its edits all undone;
    // after an edit they ask. An edit undone after an import keeps the imported tiles.
    void leavingAsksOnlyAfterEdits()
    {
        importImages(window, {image("a.png"), image("b.png")});
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTRY_VERIFY(page->isHidden());
        QCOMPARE(answerer.dialogs, QStringList());

        window->switchPage(1);
        importImages(window, {image("a.png"), image("b.png"), image("c.png")});
        deleteTile(tile(1));
        importImages(window, {image("d.png")});
        answerer.pressRight = false;
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QCOMPARE(answerer.dialogs, QStringList{"Leave the page and lose the changes to the "
                                               "frames? [Stay|Leave]"});
        QVERIFY(page->isVisible());
        QCOMPARE(names(), QString("a c d"));
        strip->undoAction->trigger();
        QCOMPARE(names(), QString("a b c d"));
        strip->redoAction->trigger();
        QCOMPARE(names(), QString("a c d"));
        answerer.pressRight = true;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        page->addPhotosButton->setFocus();
        QTest::keyClick(page->addPhotosButton, Qt::Key_Escape);
        QCOMPARE(answerer.dialogs.size(), 2);
        QTRY_VERIFY(page->isHidden());

        window->switchPage(1);
        importImages(window, {image("a.png"), image("b.png")});
        QVERIFY(!strip->undoStack->canUndo());
        deleteTile(tile(0));
        strip->undoAction->trigger();
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTRY_VERIFY(page->isHidden());
        QCOMPARE(answerer.dialogs.size(), 2);
        answerer.dialogs.clear();
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

        window->retranslateAll();
        GifImagesWidget next;
        next.retranslateUi();
        QCOMPARE(next.jobChoices.placement, Placement::ScaledToFit);
        QCOMPARE(next.jobChoices.resize, QSize(320, 0));
        QCOMPARE(next.jobChoices.encoding.playCount, 3);
        QCOMPARE(next.jobOptions->playComboBox->currentText(), QString("3 times"));

        QTest::keyClick(options->placementComboBox, Qt::Key_Home);
        QTest::keyClick(options->resizeComboBox, Qt::Key_Home);
        QTest::keyClick(options->playComboBox, Qt::Key_Home);
        QCOMPARE(readSetting(Setting::imagesResizeWidth), 0);
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
