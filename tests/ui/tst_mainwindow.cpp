// The main window at 96 dpi: page slides, the busy overlay and stopping jobs, dragging,
// closing, the keyboard.
#include "ui/uitesthelpers.h"
#include "workers/gifcreaterthread.h"

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainMainWidget> window;
    QTemporaryDir temp;
    DialogAnswerer answerer;

    int runningAnimations() const { return window->findChildren<QPropertyAnimation *>().size(); }
    qreal overlayOpacity() const { return window->loadingWidget->opacityEffect->opacity(); }

    // Moves every running slide and fade to its middle, as if the user acted half-way
    // through; without it a busy machine could let them end first.
    void halfWay()
    {
        for (QPropertyAnimation *animation : window->findChildren<QPropertyAnimation *>()) {
            if (animation->state() == QAbstractAnimation::Running)
                animation->setCurrentTime(animation->duration() / 2);
        }
    }

    GifCreaterThread *creater() const
    {
        return window->imagesWidget->viewImageWidget->gifCreaterThread;
    }

    // Starts a GIF of many large frames that change completely from one to the next, and
    // waits until it has written some of them.
    void startLongImagesJob()
    {
        QRandomGenerator random(3);
        QStringList files;
        for (int i = 0; i < 2; ++i) {
            files << temp.path() + QString("/noise%1.png").arg(i);
            QVERIFY(noisyFrame(1920, 1080, &random).save(files.last()));
        }
        window->menuWidget->savePath = temp.path();
        window->switchPage(1);
        ViewImageWidget *strip = window->imagesWidget->viewImageWidget;
        for (int i = 0; i < 200; ++i)
            strip->addLoadedImage(files.at(i % 2), QSize(1920, 1080), QImage());
        window->imagesWidget->viewImageWidget->createGif(GifJobChoices());
        QTRY_VERIFY(!overlayText(window.get()).endsWith("00.00% "));
        QVERIFY(creater()->isRunning());
    }

    // A key press as the window system delivers it: to the widget with the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target ? target : window.get(), Qt::Key(key), modifiers);
    }

private slots:
    void init()
    {
        window = std::make_unique<MainMainWidget>(nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->move(100, 25);
    }

    void cleanup()
    {
        window.reset();
        FileChooser::answerOpenFile({});
        FileChooser::answerOpenFiles({});
        FileChooser::answerDirectory({});
    }

    void pagesSlideInAndHideThePageBefore()
    {
        QCOMPARE(mainWindow(), window.get());
        QVERIFY(window->imagesWidget->isHidden() && window->videoWidget->isHidden());
        window->switchPage(1);
        QCOMPARE(window->imagesWidget->pos(), QPoint(600, 30));
        QVERIFY(window->imagesWidget->isVisible() && window->menuWidget->isVisible());
        QTRY_COMPARE(window->imagesWidget->pos(), QPoint(1, 30));
        QTRY_VERIFY(window->menuWidget->isHidden());
        window->switchPage(2);
        QVERIFY(window->imagesWidget->isHidden());
        QTRY_COMPARE(window->videoWidget->pos(), QPoint(1, 30));
        window->switchPage(0);
        QVERIFY(window->menuWidget->isVisible());
        QTRY_VERIFY(window->videoWidget->isHidden());
        QCOMPARE(window->videoWidget->pos(), QPoint(600, 30));

        // Nothing to hide runs no slide; an unknown page shows the start page.
        QTRY_COMPARE(runningAnimations(), 0);
        window->switchPage(0);
        QCOMPARE(runningAnimations(), 0);
        window->switchPage(7);
        window->showLoading(0);
        QTRY_COMPARE(runningAnimations(), 0);
        QVERIFY(window->menuWidget->isVisible() && window->loadingWidget->isHidden());
    }

    // A slide or fade that a newer call overtook must not hide what that call shows.
    void overtakenAnimationsHideNothing()
    {
        window->switchPage(1);
        halfWay();
        window->switchPage(0);
        window->showLoading(1);
        halfWay();
        window->showLoading(0);
        halfWay();
        QCOMPARE(overlayOpacity(), 0.5);
        window->showLoading(1);
        QTRY_COMPARE(runningAnimations(), 0);
        QVERIFY(window->menuWidget->isVisible() && window->imagesWidget->isHidden());
        QVERIFY(window->loadingWidget->isVisible());
        QCOMPARE(overlayOpacity(), 1.0);

        window->switchPage(1);
        halfWay();
        window->switchPage(0);
        halfWay();
        window->switchPage(1);
        QTRY_COMPARE(runningAnimations(), 0);
        QVERIFY(window->imagesWidget->isVisible() && window->menuWidget->isHidden());
        QCOMPARE(window->imagesWidget->pos(), QPoint(1, 30));
    }

    void drags_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("moveTo");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("title bar") << "title" << QPoint(50, 10)
                                   << QPoint(120, 31) << QPoint(130, 45);
        QTest::newRow("page, right button") << "page" << QPoint(10, 10)
                                            << QPoint(1, 20) << QPoint(90, 5);
        QTest::newRow("button still clicks") << "button" << QPoint(5, 5)
                                             << QPoint(565, 15) << QPoint(120, 35);
        QTest::newRow("message dialog") << "dialog" << QPoint(10, 10)
                                        << QPoint(30, 40) << QPoint(120, 130);
    }

    void drags()
    {
        QFETCH(QString, from);
        const Qt::MouseButton button = from == "page" ? Qt::RightButton : Qt::LeftButton;
        QFETCH(QPoint, press);
        QFETCH(QPoint, moveTo);
        MyMessageDialog dialog;
        dialog.move(100, 100);
        MyPushButton *minButton = window->topWidget->minButton;
        QSignalSpy clicked(minButton, &MyPushButton::clicked);
        QWidget *moved = from == "dialog" ? (QWidget *)&dialog : window.get();
        QWidget *pressed = from == "title"  ? (QWidget *)window->topWidget->titleLabel
                           : from == "page" ? (QWidget *)window->menuWidget
                           : from == "button" ? (QWidget *)minButton : moved;
        QTest::mousePress(pressed, button, Qt::NoModifier, press);
        dragTo(moved, moveTo);
        QTEST(moved->pos(), "expected");
        QTest::mouseRelease(pressed, button, Qt::NoModifier, press);
        QCOMPARE(clicked.count(), from == "button" ? 1 : 0);
        // A move without a press changes nothing.
        dragTo(moved, QPoint(300, 300));
        QTEST(moved->pos(), "expected");
    }

    void cancellingTakesTheOverlayDown_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Cancel tile") << "tile";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("Return on the Cancel tile") << "return";
        QTest::newRow("Escape, overlay without a job") << "no job";
    }

    void cancellingTakesTheOverlayDown()
    {
        QFETCH(QString, way);
        MyTempButton2 *cancel = window->loadingWidget->cancelButton;
        if (way == "no job") {
            window->showLoading(1);
        } else {
            // A keyboard user's focus leaves the covered page for the Cancel tile.
            window->imagesWidget->addPhotosButton->setFocus(Qt::TabFocusReason);
            startLongImagesJob();
            QCOMPARE(QApplication::focusWidget(), cancel);
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        }
        QVERIFY(cancel->isVisible());
        if (way == "tile")
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            press(way == "return" ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(!creater()->isRunning());
        QTRY_VERIFY(window->loadingWidget->isHidden());
        QVERIFY(answerer.dialogs.isEmpty());
        if (way != "no job")
            QCOMPARE(QApplication::focusWidget(), window->imagesWidget->addPhotosButton);
    }

    // During a job the title bar lies above the overlay, Tab goes round the Cancel tile and the
    // title bar's buttons, a language switch carries on, and the close button ends the job.
    void theTitleBarWorksDuringAJob()
    {
        startLongImagesJob();
        MainTopWidget *bar = window->topWidget;
        for (MyPushButton *button : {bar->menuButton, bar->minButton, bar->closeButton})
            QCOMPARE(window->childAt(button->geometry().center()), button);
        QList<QWidget *> reached;
        for (int i = 0; i < 5; ++i) {
            press(Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        QCOMPARE(reached, (QList<QWidget *>{window->loadingWidget->cancelButton, bar->menuButton,
                                            bar->minButton, bar->closeButton,
                                            window->loadingWidget->cancelButton}));

        bar->switchLanguage("ZH");
        QCOMPARE(window->loadingWidget->cancelButton->text(), QStringLiteral("取消"));
        QTRY_VERIFY(overlayText(window.get()).startsWith("生成GIF"));
        QTest::mouseClick(bar->closeButton, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QVERIFY(!creater()->isRunning());
        QVERIFY(answerer.dialogs.isEmpty());
        bar->switchLanguage("EN");
    }

    void tabReachesEveryTileInOrder()
    {
        GifMenuWidget *start = window->menuWidget;
        GifImagesWidget *images = window->imagesWidget;
        GifVideoWidget *video = window->videoWidget;
        const QList<QWidget *> titleBar{window->topWidget->menuButton,
                                        window->topWidget->minButton,
                                        window->topWidget->closeButton};
        const QList<QList<QWidget *>> pages{
            {start->gifPhotoButton, start->gifVideoButton, start->gifParseButton,
             start->outputSelectButton, start->outputOpenButton},
            // "Create GIF", "Preview" and the video form stay out of reach until they can be used.
            {images->viewImageWidget->scrollArea, images->addPhotosButton,
             images->framepsComboBox, images->smallerFileCheckBox,
             images->jobOptions->placementComboBox, images->jobOptions->resizeComboBox,
             images->jobOptions->playComboBox, images->jobOptions->qualityComboBox,
             images->jobOptions->sizeLimitBox, images->backupmeuButton},
            {video->addVideosButton, video->backupmeuButton},
            // The video form once a video is in, top to bottom.
            {video->addVideosButton, video->createGifButton, video->startTimeEdit,
             video->durationEdit, video->widthEdit, video->heightEdit, video->frameRateComboBox,
             video->coloursCheckBox, video->qualitySpinBox, video->sizeLimitBox,
             video->backupmeuButton}};
        for (int page = 0; page < pages.size(); ++page) {
            window->switchPage(qMin(page, 2));
            QTRY_COMPARE(runningAnimations(), 0);
            video->setControlsEnabled(page == 3);
            window->setFocus();
            const QList<QWidget *> expected = titleBar + pages.at(page);
            QList<QWidget *> reached;
            for (int i = 0; i < expected.size(); ++i) {
                press(Qt::Key_Tab);
                reached << QApplication::focusWidget();
            }
            QCOMPARE(reached, expected);
            press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected.first());
            press(Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), expected.last());
        }
        video->setControlsEnabled(false);
    }

    // Return and Space press the focused tile, Ctrl+O imports on every page, Escape goes back.
    void keysDriveThePages()
    {
        QStringList asked; // the captions of the choosers opened
        FileChooser::answerOpenFile([&](const QString &caption, auto &&...) {
            asked << caption;
            return QString();
        });
        FileChooser::answerOpenFiles([&](const QString &caption, auto &&...) {
            asked << caption;
            return QStringList();
        });
        FileChooser::answerDirectory([&](const QString &caption, auto &&...) {
            asked << caption;
            return QString();
        });
        press(Qt::Key_O, Qt::ControlModifier);
        window->menuWidget->outputSelectButton->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        window->menuWidget->gifPhotoButton->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        QVERIFY(window->imagesWidget->isVisible());
        QCOMPARE(QApplication::focusWidget(), window->imagesWidget->addPhotosButton);
        press(Qt::Key_Enter);
        press(Qt::Key_O, Qt::ControlModifier);
        press(Qt::Key_Escape);
        QTRY_VERIFY(window->imagesWidget->isHidden());
        QCOMPARE(QApplication::focusWidget(), window->menuWidget->gifPhotoButton);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QTRY_VERIFY(window->menuWidget->isHidden());
        press(Qt::Key_O, Qt::ControlModifier);
        press(Qt::Key_Escape);
        QTRY_VERIFY(window->videoWidget->isHidden());
        QCOMPARE(asked, (QStringList{"Add GIF File", "Select Save Directory", "Add Image Files",
                                     "Add Image Files", "Add Video File"}));
    }

    // Files from outside go to the page of their kind; every file left out is named, with
    // its reason, in one notice, a long list shortened.
    void openedFilesGoToThePageOfTheirKind()
    {
        const QString dir = temp.path();
        const QStringList images{dir + "/shot10.png", dir + "/Shot2.png", dir + "/shot1.png"};
        for (const QString &path : images)
            QVERIFY(blockImage(40, 30, qRgb(200, 0, 0), qRgb(0, 0, 200)).save(path));
        QVERIFY(flatFrame(70000, 2, qRgb(1, 2, 3)).save(dir + "/wide.png"));
        QVERIFY(writeFile(dir + "/notes.png", "text"));
        const QString gif = dir + "/clip.gif";
        QVERIFY(encodeFrames(gif, {flatFrame(20, 20, qRgb(9, 9, 9))}, QSize(20, 20)));
        window->menuWidget->savePath = dir;

        window->openFiles(QStringList{dir + "/nope.png", dir + "/wide.png", dir + "/notes.png"}
                          + images + QStringList{gif, dir});
        QTRY_VERIFY(window->loadingWidget->isHidden());
        QVERIFY(window->imagesWidget->isVisible());
        QCOMPARE(tileNames(window.get()), (QStringList{"shot1.png", "Shot2.png", "shot10.png"}));
        QTRY_COMPARE(answerer.dialogs,
                     QStringList("Not opened:\nnope.png: no such file\n"
                                 + QFileInfo(dir).fileName()
                                 + ": not a file\nclip.gif: images, one GIF or one video at a "
                                   "time\nnotes.png: not a picture, or damaged\nwide.png: "
                                   "70000 × 2 pixels: a frame can be at most 65535 a side and "
                                   "100 megapixels [OK]"));
        answerer.dialogs.clear();

        QStringList gone;
        for (int i = 1; i <= 20; ++i)
            gone << dir + QString("/gone%1.png").arg(i);
        window->openFiles(gone);
        QTRY_COMPARE(answerer.dialogs.size(), 1);
        QVERIFY(answerer.dialogs.first().startsWith("Not opened:\ngone1.png: no such file\n"));
        QVERIFY(answerer.dialogs.first().endsWith(
            "\ngone8.png: no such file\nand 12 more [OK]"));
        answerer.dialogs.clear();

        window->openFiles({gif});
        QTRY_VERIFY(QFileInfo::exists(dir + "/clip/1.png"));
        QTRY_COMPARE(answerer.dialogs.size(), 1);
        QVERIFY(answerer.dialogs.first().startsWith("completed"));
        QVERIFY(window->menuWidget->isVisible());
    }

    // Files handed over while a job or a dialog is up wait for it to end, and then open
    // together, with one notice for all: no notice opens inside another dialog.
    void handOversWaitForJobsAndDialogs()
    {
        const QString dir = temp.path();
        answerer.dialogs.clear();
        startLongImagesJob();
        window->openFiles({dir + "/gone.png"});
        window->openFiles({dir + "/gone.png", dir + "/lost.png"});
        QTest::qWait(300);
        QVERIFY(answerer.dialogs.isEmpty());
        window->cancelRunningJob();
        QTRY_COMPARE(answerer.dialogs, QStringList("Not opened:\ngone.png: no such file\n"
                                                   "lost.png: no such file [OK]"));
        answerer.dialogs.clear();

        QDialog question(window.get());
        question.open();
        for (int i = 1; i <= 20; ++i)
            window->openFiles({dir + QString("/gone%1.png").arg(i)});
        QTest::qWait(300);
        QVERIFY(answerer.dialogs.isEmpty());
        question.close();
        QTRY_COMPARE(answerer.dialogs.size(), 1);
        QVERIFY(answerer.dialogs.first().startsWith("Not opened:\ngone1.png: no such file\n"));
        QVERIFY(answerer.dialogs.first().endsWith("\nand 12 more [OK]"));
    }

    // Escape closes an open drop-down list and stays on the page; the next one leaves it.
    void escapeClosesAListBeforeThePage()
    {
        window->switchPage(1);
        window->imagesWidget->framepsComboBox->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTest::qWait(300);
        QVERIFY(window->imagesWidget->isVisible());
        press(Qt::Key_Escape);
        QTRY_VERIFY(window->imagesWidget->isHidden());
    }

    // Closing while the overlay fades and a page slides must neither crash nor hang.
    void closesAndDiesDuringAnimations()
    {
        window->showLoading(1);
        window->switchPage(2);
        QVERIFY(window->close());
        window.reset();
        QTest::qWait(400);
        QCOMPARE(mainWindow(), nullptr);
    }
};

LUMORRA_UI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
