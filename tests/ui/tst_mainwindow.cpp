// The main window at 96 dpi: page slides, the busy overlay, dragging, centring, closing.
#include "app/loadingwidget.h"
#include "app/mainmainwidget.h"
#include "app/maintopwidget.h"
#include "pages/gifimageswidget.h"
#include "pages/gifmenuwidget.h"
#include "pages/gifvideowidget.h"
#include "ui/uitesthelpers.h"
#include "widgets/mypushbutton.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainMainWidget> window;

    int runningAnimations() const
    {
        return window->findChildren<QPropertyAnimation *>().size();
    }

    qreal overlayOpacity() const { return window->loadingWidget->opacityEffect->opacity(); }

private slots:
    void init()
    {
        window = std::make_unique<MainMainWidget>(nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void imagesPageSlidesInThenStartPageHides()
    {
        QCOMPARE(mainWindow(), window.get());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window->imagesWidget->isHidden() && window->videoWidget->isHidden());
        QVERIFY(window->loadingWidget->isHidden());
        window->switchPage(1);
        QCOMPARE(window->imagesWidget->pos(), QPoint(600, 30));
        QVERIFY(window->imagesWidget->isVisible());
        QVERIFY(window->menuWidget->isVisible());
        QTRY_COMPARE(window->imagesWidget->pos(), QPoint(1, 30));
        QTRY_VERIFY(window->menuWidget->isHidden());

        window->switchPage(0);
        QVERIFY(window->menuWidget->isVisible());
        QTRY_VERIFY(window->imagesWidget->isHidden());
        QCOMPARE(window->imagesWidget->pos(), QPoint(600, 30));
    }

    void videoPageHidesImagesPage()
    {
        window->switchPage(1);
        window->switchPage(2);
        QVERIFY(window->imagesWidget->isHidden());
        QTRY_COMPARE(window->videoWidget->pos(), QPoint(1, 30));
        QTRY_VERIFY(window->menuWidget->isHidden());
    }

    void nothingToHideRunsNoSlide()
    {
        window->switchPage(0);
        QCOMPARE(runningAnimations(), 0);
        QVERIFY(window->menuWidget->isVisible());
        window->switchPage(7);
        window->showLoading(0);
        QTRY_COMPARE(runningAnimations(), 0);
        QVERIFY(window->menuWidget->isVisible());
        QVERIFY(window->loadingWidget->isHidden());
    }

    // A slide that a newer switch overtook must not hide the page that switch shows.
    void overtakenSlideHidesNothing()
    {
        window->switchPage(1);
        QTest::qWait(50);
        window->switchPage(0);
        QTest::qWait(400);
        QVERIFY(window->menuWidget->isVisible());
        QVERIFY(window->imagesWidget->isHidden());

        window->switchPage(1);
        QTest::qWait(400);
        window->switchPage(0);
        QTest::qWait(50);
        window->switchPage(1);
        QTest::qWait(400);
        QVERIFY(window->imagesWidget->isVisible());
        QCOMPARE(window->imagesWidget->pos(), QPoint(1, 30));
        QVERIFY(window->menuWidget->isHidden());
    }

    void overlayFadesInAndOut()
    {
        window->showLoading(1);
        window->setLoadingText(QStringLiteral("Loading..."));
        QCOMPARE(window->loadingWidget->textLabel->text(), QStringLiteral("Loading..."));
        QVERIFY(window->loadingWidget->isVisible());
        QCOMPARE(window->loadingWidget->graphicsEffect(), window->loadingWidget->opacityEffect);
        QVERIFY(overlayOpacity() < 1.0);
        QTRY_COMPARE(overlayOpacity(), 1.0);

        window->showLoading(0);
        QTest::qWait(120);
        QVERIFY(window->loadingWidget->isVisible());
        QVERIFY(overlayOpacity() > 0.0 && overlayOpacity() < 1.0);
        QTRY_VERIFY(window->loadingWidget->isHidden());
    }

    // A fade-out that a new job's showLoading(1) overtook must not hide the overlay.
    void fadeOutOvertakenByShowKeepsOverlay()
    {
        window->showLoading(1);
        QTest::qWait(150);
        window->showLoading(0);
        QTest::qWait(50);
        window->showLoading(1);
        QTest::qWait(500);
        QVERIFY(window->loadingWidget->isVisible());
        QCOMPARE(overlayOpacity(), 1.0);
    }

    void finishedAnimationsAreReleased()
    {
        for (int i = 0; i < 3; ++i) {
            window->switchPage(1);
            window->switchPage(0);
            window->showLoading(1);
            window->showLoading(0);
        }
        QTRY_COMPARE(runningAnimations(), 0);
    }

    void centresWidgetsOverTheWindow()
    {
        window->move(100, 25);
        QWidget dialog;
        dialog.resize(480, 252);
        window->centerOnMainWindow(&dialog);
        QCOMPARE(dialog.pos(), QPoint(160, 224));
        dialog.resize(801, 700);
        window->centerOnMainWindow(&dialog);
        QCOMPARE(dialog.pos(), QPoint(100 + (600 - 801) / 2, 25 + (650 - 700) / 2));
    }

    void dragsFromTitleBarAndPages()
    {
        window->move(100, 25);
        QLabel *title = window->topWidget->titleLabel;
        QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
        dragTo(window.get(), QPoint(120, 31));
        QTest::mouseRelease(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 31));
        QCOMPARE(window->pos(), QPoint(130, 45));

        QTest::mousePress(window->menuWidget, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
        dragTo(window.get(), QPoint(1, 20));
        QTest::mouseRelease(window.get(), Qt::RightButton, Qt::NoModifier, QPoint(1, 20));
        QCOMPARE(window->pos(), QPoint(120, 25));

        // A move without a press changes nothing.
        dragTo(window.get(), QPoint(300, 300));
        QCOMPARE(window->pos(), QPoint(120, 25));
    }

    void dragStartedOnButtonStillClicksIt()
    {
        window->move(100, 25);
        MyPushButton *button = window->topWidget->minButton;
        QSignalSpy clicked(button, &MyPushButton::clicked);
        QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        dragTo(window.get(), QPoint(545 + 20, 5 + 10));
        QCOMPARE(window->pos(), QPoint(120, 35));
        QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(clicked.count(), 1);
    }

    void closeButtonClosesTheWindow()
    {
        window->move(100, 50);
        QCOMPARE(window->topWidget->menuPosition(), QPoint(575, 76));
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
