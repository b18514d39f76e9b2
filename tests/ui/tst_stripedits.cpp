// Editing the strip: moving, deleting and reversing selected tiles by keys, menu and drag,
// their delays, undo and redo, and leaving a page with edits.
#include "ui/imagestriptest.h"

class TestStripEdits : public ImageStripTest
{
    Q_OBJECT

private slots:
    void initTestCase() { startImagesPage(); }
    void cleanupTestCase() { stopWindow(); }
    void init() { window->switchPage(1); }

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
        // A video handed over from outside asks too, and waits for the answer.
        const QString video = temp.path() + "/handed.mp4";
        QVERIFY(writeFile(video, "not opened while the user stays"));
        window->openFiles({video});
        QCOMPARE(answerer.dialogs.size(), 2);
        QTRY_VERIFY(page->isVisible());
        QCOMPARE(names(), QString("a c d"));
        answerer.dialogs.removeLast();
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
};

LUMORRA_UI_TEST_MAIN(TestStripEdits)
#include "tst_stripedits.moc"
