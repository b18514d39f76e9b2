// The main window at 96 dpi: page slides, the busy overlay, dragging, closing.
#include "ui/uitesthelpers.h"

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainMainWidget> window;

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

private slots:
    void init()
    {
        window = std::make_unique<MainMainWidget>(nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->move(100, 25);
    }

    void cleanup() { window.reset(); }

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

    void overlayFadesInAndOut()
    {
        window->showLoading(1);
        window->setLoadingText(QStringLiteral("Loading..."));
        QCOMPARE(overlayText(window.get()), QStringLiteral("Loading..."));
        QVERIFY(window->loadingWidget->isVisible() && overlayOpacity() < 1.0);
        QTRY_COMPARE(overlayOpacity(), 1.0);
        window->showLoading(0);
        halfWay();
        QVERIFY(window->loadingWidget->isVisible());
        QCOMPARE(overlayOpacity(), 0.5);
        QTRY_VERIFY(window->loadingWidget->isHidden());
        QCOMPARE(runningAnimations(), 0);
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

    void closeButtonClosesTheWindow()
    {
        QCOMPARE(window->topWidget->menuPosition(), QPoint(575, 51));
        QTest::mouseClick(window->topWidget->closeButton, Qt::LeftButton);
        QVERIFY(!window->isVisible());
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
