#include "app/mainmainwidget.h"

#include "app/handoverqueue.h"
#include "app/leftoutnotice.h"
#include "app/loadingwidget.h"
#include "app/maintopwidget.h"
#include "pages/gifimageswidget.h"
#include "pages/gifmenuwidget.h"
#include "pages/gifvideowidget.h"
#include "rules/filekinds.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton2.h"
#include "widgets/uiscale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

#include <algorithm>

namespace {
MainMainWidget *theMainWindow = nullptr;
}

MainMainWidget *mainWindow()
{
    return theMainWindow;
}

MainMainWidget::MainMainWidget(QWidget *parent) : QWidget(parent)
{
    theMainWindow = this;
    // Task bars group the window with its launcher by the desktop entry's id (Wayland, KDE)
    // and by the window class the entry names in StartupWMClass (X11).
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMORRA_APP_ID));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    // The scale of the screen's resolution, as far as the whole window fits the room the
    // screen leaves free (task bars aside), and the window in the middle of that room.
    const QSize designSize(600, 650);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    uiScale = scaleToFit(scaleForDpi(logicalDpiX(), logicalDpiY()), designSize, room.size(),
                         screen ? float(screen->devicePixelRatio()) : 1.0f);
    resize(scaled(designSize.width()), scaled(designSize.height()));
    if (screen)
        move(room.x() + std::max(0, (room.width() - width()) / 2),
             room.y() + std::max(0, (room.height() - height()) / 2));

    backgroundWidget = new QWidget(this);
    topWidget = new MainTopWidget(this);
    menuWidget = new GifMenuWidget(this);
    imagesWidget = new GifImagesWidget(this);
    videoWidget = new GifVideoWidget(this);
    loadingWidget = new LoadingWidget(this);
    imagesWidget->hide();
    videoWidget->hide();
    loadingWidget->hide();
    // Above the overlay, so that the window can be moved, minimized and closed during a job.
    topWidget->raise();

    const int w = width();
    const int h = height();
    backgroundWidget->setGeometry(0, 0, w, h);
    topWidget->setGeometry(0, 0, w, scaled(30));
    const int top = topWidget->height();
    menuWidget->setGeometry(1, top, w - 2, h - top - 1);
    imagesWidget->setGeometry(1, top, w - 2, h - top - 1);
    videoWidget->setGeometry(1, top, w - 2, h - top - 1);
    loadingWidget->setOverlayGeometry(0, 0, w, h);

    topWidget->initLayout();
    menuWidget->initLayout();
    imagesWidget->initLayout();
    videoWidget->initLayout();

    backgroundWidget->setStyleSheet(QStringLiteral(
        "QWidget{border-left: 1px solid #232323;border-right: 1px solid #232323;"
        "border-bottom: 1px solid #232323; border-radius: 0px;background-color:#505050;}"));
    setWindowIcon(QIcon(QStringLiteral(":/images/program.png")));

    // The title bar's initStyle installs the start language, which retranslates every page.
    topWidget->initStyle();
    menuWidget->initStyle();
    imagesWidget->initStyle();
    videoWidget->initStyle();

    topWidget->retranslateUi();
    menuWidget->retranslateUi();
    imagesWidget->retranslateUi();
    videoWidget->retranslateUi();
    loadingWidget->retranslateUi();

    setKeyboardOrder();
    connect(loadingWidget->cancelButton, &MyTempButton2::clicked, this,
            &MainMainWidget::cancelRunningJob);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &MainMainWidget::openPressed);
    handOvers = new HandOverQueue(
        [this] { return loadingWidget->isVisible() || QApplication::activeModalWidget(); },
        [this](const QStringList &paths) { openFilesNow(paths); }, this);
    // The window keeps the keyboard itself until Tab moves on, so no tile shows a focus
    // ring before the keyboard is used.
    setFocus();
}

MainMainWidget::~MainMainWidget()
{
    if (theMainWindow == this)
        theMainWindow = nullptr;
}

void MainMainWidget::setKeyboardOrder()
{
    // Tab follows the reading order: the title bar's buttons, then the page shown, left to
    // right and top to bottom. Creation order gives most of it; each page orders its own.
    setTabOrder(topWidget->menuButton, topWidget->minButton);
    setTabOrder(topWidget->minButton, topWidget->closeButton);
}

QWidget *MainMainWidget::pageWidget(int page) const
{
    switch (page) {
    case 1:
        return imagesWidget;
    case 2:
        return videoWidget;
    default:
        return menuWidget;
    }
}

bool MainMainWidget::isOnPage(const QWidget *w) const
{
    return w && (menuWidget->isAncestorOf(w) || imagesWidget->isAncestorOf(w)
                 || videoWidget->isAncestorOf(w));
}

void MainMainWidget::focusFirstTile(QWidget *page)
{
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && qobject_cast<LabelButton *>(w) && w->isEnabled()
            && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void MainMainWidget::switchPage(int page)
{
    // A keyboard user who left a page goes on in the new one.
    const bool focusOnPage = isOnPage(focusWidget());
    stopPageSlides();
    const int top = topWidget->height();
    const QPoint shown(1, top);
    const QPoint offRight(width(), top);
    menuWidget->show();
    switch (page) {
    case 0:
        for (QWidget *slidingOut : {static_cast<QWidget *>(imagesWidget),
                                    static_cast<QWidget *>(videoWidget)}) {
            if (!slidingOut->isHidden())
                slidePage(slidingOut, shown, offRight, slidingOut);
        }
        break;
    case 1:
        imagesWidget->enterPage();
        videoWidget->hide();
        slidePage(imagesWidget, offRight, shown, menuWidget);
        break;
    case 2:
        imagesWidget->hide();
        videoWidget->enterPage();
        slidePage(videoWidget, offRight, shown, menuWidget);
        break;
    default:
        imagesWidget->hide();
        videoWidget->hide();
        break;
    }
    currentPage = page == 1 || page == 2 ? page : 0;
    if (focusOnPage)
        focusFirstTile(pageWidget(currentPage));
}

void MainMainWidget::slidePage(QWidget *page, const QPoint &from, const QPoint &to,
                               QWidget *hideWhenDone)
{
    auto *slide = new QPropertyAnimation(page, "pos", this);
    slide->setDuration(200);
    slide->setStartValue(from);
    slide->setEndValue(to);
    connect(slide, &QPropertyAnimation::finished, hideWhenDone, &QWidget::hide);
    pageSlides.append(slide);
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void MainMainWidget::stopPageSlides()
{
    for (const QPointer<QPropertyAnimation> &slide : qAsConst(pageSlides)) {
        if (!slide)
            continue;
        disconnect(slide, &QPropertyAnimation::finished, nullptr, nullptr);
        slide->stop();
    }
    pageSlides.clear();
}

void MainMainWidget::showLoading(int show)
{
    stopLoadingFade();
    loadingUp = show == 1;
    if (loadingUp) {
        loadingWidget->show();
        fadeLoading(0.0, 1.0, 100);
        // Keys must not reach the covered pages.
        if (isOnPage(focusWidget())) {
            focusBeforeLoading = focusWidget();
            loadingWidget->cancelButton->setFocus(Qt::OtherFocusReason);
        }
    } else {
        fadeLoading(1.0, 0.0, 300);
        connect(loadingFade, &QPropertyAnimation::finished, loadingWidget, &QWidget::hide);
        if (focusWidget() == loadingWidget->cancelButton) {
            if (focusBeforeLoading && focusBeforeLoading->isVisible()
                && focusBeforeLoading->isEnabled())
                focusBeforeLoading->setFocus(Qt::OtherFocusReason);
            else
                focusFirstTile(pageWidget(currentPage));
        }
        focusBeforeLoading = nullptr;
    }
}

void MainMainWidget::fadeLoading(qreal from, qreal to, int duration)
{
    loadingFade = new QPropertyAnimation(loadingWidget->opacityEffect, "opacity", this);
    loadingFade->setDuration(duration);
    loadingFade->setStartValue(from);
    loadingFade->setEndValue(to);
    loadingFade->start(QAbstractAnimation::DeleteWhenStopped);
}

void MainMainWidget::stopLoadingFade()
{
    if (!loadingFade)
        return;
    disconnect(loadingFade, &QPropertyAnimation::finished, nullptr, nullptr);
    loadingFade->stop();
    loadingFade = nullptr;
}

void MainMainWidget::setLoadingText(const QString &text)
{
    loadingWidget->textLabel->setText(text);
}

void MainMainWidget::centerOnMainWindow(QWidget *w)
{
    const QRect main = geometry();
    w->move(main.x() + (main.width() - w->width()) / 2,
            main.y() + (main.height() - w->height()) / 2);
}

void MainMainWidget::retranslateAll()
{
    topWidget->retranslateUi();
    menuWidget->retranslateUi();
    imagesWidget->retranslateUi();
    videoWidget->retranslateUi();
    loadingWidget->retranslateUi();
}

QString MainMainWidget::webPageUrl(const QString &base) const
{
    return base + QStringLiteral("?id=lumorra&Lang=") + languageCode
           + QStringLiteral("&Platform=Win");
}

void MainMainWidget::openWebPage(const QString &base)
{
    QDesktopServices::openUrl(QUrl(webPageUrl(base), QUrl::TolerantMode));
}

void MainMainWidget::mousePressEvent(QMouseEvent *event)
{
    dragging = 1;
    pressX = event->x();
    pressY = event->y();
}

void MainMainWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging != 1)
        return;
    const QRect g = geometry();
    setGeometry(g.x() - pressX + event->x(), g.y() - pressY + event->y(), g.width(), g.height());
}

void MainMainWidget::mouseReleaseEvent(QMouseEvent *)
{
    dragging = 0;
}

void MainMainWidget::cancelJobs()
{
    menuWidget->cancelJob();
    imagesWidget->cancelJob();
    videoWidget->cancelJob();
}

void MainMainWidget::cancelRunningJob()
{
    cancelJobs();
    showLoading(0);
}

void MainMainWidget::openFiles(const QStringList &paths)
{
    handOvers->add(paths);
}

void MainMainWidget::openFilesNow(const QStringList &paths)
{
    const FileKinds kinds = sortByKind(paths);
    LeftOutNotice leftOut;
    leftOut.addUnreadable(kinds.unreadable);
    leftOut.add(kinds.unknown, LeftOutReason::NotOpenedKind);
    int page = -1;
    if (!kinds.images.isEmpty()) {
        leftOut.add(kinds.gifs + kinds.videos, LeftOutReason::NotWithOthers);
        page = 1;
    } else if (!kinds.gifs.isEmpty()) {
        leftOut.add(kinds.gifs.mid(1) + kinds.videos, LeftOutReason::NotWithOthers);
        page = 0;
    } else if (!kinds.videos.isEmpty()) {
        leftOut.add(kinds.videos.mid(1), LeftOutReason::NotWithOthers);
        page = 2;
    }
    // Files of another kind would take the user away from frames they have edited.
    if (page >= 0 && page != 1 && currentPage == 1 && !imagesWidget->mayLeave())
        return;
    if (page >= 0 && currentPage != page)
        switchPage(page);
    if (page == 1) {
        // Named with the pictures the import cannot read, once it has ended.
        imagesWidget->importImages(kinds.images, leftOut);
        return;
    }
    // Told before the job starts, so that its end dialog never waits under this one.
    leftOut.showAndClear();
    if (page == 0)
        menuWidget->resolveGif(kinds.gifs.first());
    else if (page == 2)
        videoWidget->importVideo(kinds.videos.first());
}

// Escape comes as a key the focused widget passed on, not as a shortcut: a drop-down list or
// a field that uses Escape itself keeps it, so closing a list never leaves the page.
void MainMainWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        escapePressed();
    else
        QWidget::keyPressEvent(event);
}

void MainMainWidget::escapePressed()
{
    if (loadingWidget->isVisible())
        cancelRunningJob();
    else if (currentPage == 1)
        imagesWidget->backupmeuButton->click();
    else if (currentPage == 2)
        videoWidget->backupmeuButton->click();
}

void MainMainWidget::openPressed()
{
    if (loadingWidget->isVisible())
        return;
    if (currentPage == 1)
        imagesWidget->addPhotosButton->click();
    else if (currentPage == 2)
        videoWidget->addVideosButton->click();
    else
        menuWidget->gifParseButton->click();
}

bool MainMainWidget::focusNextPrevChild(bool next)
{
    if (!loadingUp)
        return QWidget::focusNextPrevChild(next);
    // During a job Tab goes round the Cancel tile and the title bar's buttons only.
    const QList<QWidget *> reachable{loadingWidget->cancelButton, topWidget->menuButton,
                                     topWidget->minButton, topWidget->closeButton};
    const int count = reachable.size();
    const int at = reachable.indexOf(focusWidget());
    const int to = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    reachable.at(to)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void MainMainWidget::closeEvent(QCloseEvent *event)
{
    // Workers and the video tool must not outlive the pages that receive their signals.
    cancelJobs();
    event->accept();
}
