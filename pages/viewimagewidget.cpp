#include "pages/viewimagewidget.h"

#include "app/freedmemory.h"
#include "app/mainmainwidget.h"
#include "app/messagequestions.h"
#include "app/openfolder.h"
#include "app/outputfolder.h"
#include "app/progresstext.h"
#include "pages/gifmenuwidget.h"
#include "pages/imageitem.h"
#include "pages/tiledrag.h"
#include "rules/gifoutputname.h"
#include "widgets/uiscale.h"
#include "workers/framefile.h"
#include "workers/gifcreaterthread.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace {

const char *const verticalScrollBarRules[] = {
    "QScrollBar:vertical {border:0px;background:transparent;width: 10px;margin-top:0px; "
    "margin-bottom:0px;margin-left:0px;margin-right:0px;}",
    "QScrollBar::handle:vertical {background: #2b2b2b; min-height: 60px;}",
    "QScrollBar::add-line:vertical {border: 0px;background:transparent;height: 10px;"
    "subcontrol-position: bottom;subcontrol-origin: margin;}",
    "QScrollBar::sub-line:vertical {border: 0px;background:transparent;height: 10px;"
    "subcontrol-position: top;subcontrol-origin: margin;}",
    "QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical {border: 0px;width: 0px;"
    "height: 0px;background: transparent;}",
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {background: transparent;}",
};

QString menuSheet()
{
    return QStringLiteral("QMenu{background-color:#505050;border: 1px solid #787878;"
                          "color:#ffffff;font-size:%1px;}"
                          "QMenu::item{padding:%2px %3px;}"
                          "QMenu::item:selected{background-color:#6e6d6d;}"
                          "QMenu::item:disabled{color:#b4b4b4;}"
                          "QMenu::separator{height:1px;background:#787878;margin:3px 6px;}")
        .arg(scaled(12))
        .arg(scaled(6))
        .arg(scaled(20));
}

}

ViewImageWidget::ViewImageWidget(QWidget *parent) : QWidget(parent)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(QStringLiteral("#3c3c3c")));
    setPalette(background);
    setAutoFillBackground(true);

    scrollArea = new QScrollArea(this);
    contentWidget = new QWidget;
    scrollArea->setPalette(background);
    scrollArea->setAutoFillBackground(true);
    contentWidget->setPalette(background);
    contentWidget->setAutoFillBackground(true);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidget(contentWidget);
    scrollArea->installEventFilter(this);

    scrollArea->horizontalScrollBar()->setFixedHeight(0);
    scrollArea->horizontalScrollBar()->hide();
    scrollArea->horizontalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:horizontal {border: 0px;width: 0px;margin: 0px 0 0px 0}"));
    QString verticalStyle;
    for (const char *rule : verticalScrollBarRules)
        verticalStyle += QStringLiteral("\t\t\t\t\t\t") + QLatin1String(rule);
    scrollArea->verticalScrollBar()->setStyleSheet(verticalStyle);

    tileDrag = new TileDrag(this);

    gifCreaterThread = new GifCreaterThread;
    connect(gifCreaterThread, SIGNAL(finished()), this, SLOT(gifCreaterThread_Finished()));
    connect(gifCreaterThread, SIGNAL(updateprogress(int)), this,
            SLOT(gifCreaterThread_updateprogress(int)));
}

ViewImageWidget::~ViewImageWidget()
{
    cancelJob();
    delete gifCreaterThread;
}

int ViewImageWidget::gap() const
{
    return scaled(12);
}

int ViewImageWidget::columnWidth() const
{
    return contentWidget->width() / TilesPerRow;
}

int ViewImageWidget::tileWidth() const
{
    return (contentWidget->width() - (TilesPerRow + 1) * gap()) / TilesPerRow;
}

int ViewImageWidget::tileHeight() const
{
    return tileWidth() + scaled(24);
}

QSize ViewImageWidget::thumbnailSize() const
{
    const int side = tileWidth() - scaled(10);
    return QSize(side, side);
}

void ViewImageWidget::addLoadedImage(const QString &path, const QSize &size,
                                     const QImage &thumbnail)
{
    ImageItem *item = nullptr;
    for (int i = 0; i < items.size(); ++i) {
        if (!items.at(i)->inUse) {
            item = items.takeAt(i);
            items.append(item);
            break;
        }
    }
    if (!item) {
        item = new ImageItem(contentWidget);
        connect(item, SIGNAL(deleteItem(ImageItem *)), this,
                SLOT(deleteImageItem_slots(ImageItem *)));
        tileDrag->watch(item);
        items.append(item);
    }

    item->image = {path, size, QPixmap::fromImage(thumbnail)};
    item->inUse = true;
    item->setGeometry(0, 0, tileWidth(), tileHeight());
    item->initUi();
    item->show();
    relayout();
}

void ViewImageWidget::relayout()
{
    int y = gap();
    int column = 0;
    int number = 0;
    int lastHeight = 0;
    const QString numberStyle =
        QStringLiteral("QLabel{font-size:%1px;color:#ffffff;}").arg(scaled(10));

    for (ImageItem *item : qAsConst(items)) {
        if (!item->inUse)
            continue;
        item->move(columnWidth() * column + gap() / 2, y);
        lastHeight = item->height();
        ++column;
        ++number;
        QLabel *numberLabel = item->numberLabel;
        numberLabel->setText(QString::number(number));
        // Re-applying an unchanged style sheet re-polishes the label; large strips notice.
        if (numberLabel->styleSheet() != numberStyle)
            numberLabel->setStyleSheet(numberStyle);
        numberLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (column == TilesPerRow) {
            column = 0;
            y += gap() + item->height();
        }
    }
    if (column != 0)
        y += lastHeight + gap();

    contentWidget->setGeometry(0, 0, contentWidget->width(),
                               qMax(y, scrollArea->height()));
}

int ViewImageWidget::inUseCount() const
{
    int count = 0;
    for (const ImageItem *item : items)
        count += item->inUse ? 1 : 0;
    return count;
}

QList<ImageItem *> ViewImageWidget::tilesInUse() const
{
    QList<ImageItem *> inUse;
    for (ImageItem *item : items) {
        if (item->inUse)
            inUse << item;
    }
    return inUse;
}

QStringList ViewImageWidget::framePaths() const
{
    QStringList paths;
    for (const ImageItem *item : tilesInUse())
        paths << item->image.path;
    return paths;
}

void ViewImageWidget::setOrder(const QList<ImageItem *> &inUse)
{
    QList<ImageItem *> released;
    for (ImageItem *item : qAsConst(items)) {
        if (!item->inUse)
            released << item;
    }
    items = inUse + released;
    relayout();
}

void ViewImageWidget::moveTile(ImageItem *item, int to)
{
    QList<ImageItem *> order = tilesInUse();
    if (!order.removeOne(item))
        return;
    order.insert(qBound(0, to, order.size()), item);
    setOrder(order);
}

void ViewImageWidget::reverseOrder()
{
    QList<ImageItem *> order = tilesInUse();
    std::reverse(order.begin(), order.end());
    setOrder(order);
}

void ViewImageWidget::selectTile(ImageItem *item)
{
    if (selectedItem)
        selectedItem->setSelected(false);
    selectedItem = item;
    if (selectedItem)
        selectedItem->setSelected(true);
}

int ViewImageWidget::insertionIndexAt(const QPoint &contentPos) const
{
    const int width = columnWidth();
    const int row = qMax(0, contentPos.y()) / (gap() + tileHeight());
    // Left of a tile's middle goes before it, right of it after it.
    const int column = qBound(0, (contentPos.x() + width / 2) / width, TilesPerRow);
    return qMin(row * TilesPerRow + column, inUseCount());
}

ImageItem *ViewImageWidget::tileAt(const QPoint &pos) const
{
    for (QWidget *w = childAt(pos); w; w = w->parentWidget()) {
        if (auto *item = qobject_cast<ImageItem *>(w))
            return item->inUse ? item : nullptr;
    }
    return nullptr;
}

void ViewImageWidget::deleteSelected()
{
    const QList<ImageItem *> order = tilesInUse();
    const int at = order.indexOf(selectedItem);
    if (at < 0)
        return;
    deleteImageItem_slots(selectedItem);
    // The next tile takes the place, and the selection, of the deleted one.
    if (order.size() > 1)
        selectTile(order.at(at + 1 < order.size() ? at + 1 : at - 1));
}

bool ViewImageWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != scrollArea)
        return QWidget::eventFilter(watched, event);
    // A keyboard user arriving in the strip sees where they are: the first tile is selected.
    if (event->type() == QEvent::FocusIn && !selectedItem && inUseCount() > 0) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            selectTile(tilesInUse().first());
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (keyEvent->key() == Qt::Key_Delete && selectedItem) {
        deleteSelected();
        return true;
    }
    return stepSelection(keyEvent);
}

bool ViewImageWidget::stepSelection(const QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up: step = -TilesPerRow; break;
    case Qt::Key_Down: step = TilesPerRow; break;
    case Qt::Key_Home: step = -INT_MAX / 2; break;
    case Qt::Key_End: step = INT_MAX / 2; break;
    default: return false;
    }
    const QList<ImageItem *> order = tilesInUse();
    if (order.isEmpty())
        return false;
    const int at = order.indexOf(selectedItem);
    const int to = at < 0 ? 0 : qBound(0, at + step, order.size() - 1);
    // With Ctrl the selected tile itself moves, as a drag would move it.
    if (event->modifiers() & Qt::ControlModifier && at >= 0)
        moveTile(selectedItem, to);
    else
        selectTile(order.at(to));
    scrollArea->ensureWidgetVisible(selectedItem);
    return true;
}

void ViewImageWidget::contextMenuEvent(QContextMenuEvent *event)
{
    ImageItem *item = event->reason() == QContextMenuEvent::Keyboard ? selectedItem
                                                                      : tileAt(event->pos());
    const int count = inUseCount();
    if (count == 0)
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setStyleSheet(menuSheet());
    if (item) {
        selectTile(item);
        menu->addAction(tr("Delete"), this, [this, item] { deleteImageItem_slots(item); });
        menu->addAction(tr("Move to start"), this, [this, item] { moveTile(item, 0); })
            ->setEnabled(tilesInUse().first() != item);
        menu->addAction(tr("Move to end"), this, [this, item, count] { moveTile(item, count); })
            ->setEnabled(tilesInUse().last() != item);
        menu->addSeparator();
    }
    menu->addAction(tr("Reverse"), this, &ViewImageWidget::reverseOrder)->setEnabled(count > 1);
    menu->popup(event->globalPos());
}

void ViewImageWidget::releaseAll()
{
    tileDrag->cancel();
    selectTile(nullptr);
    for (ImageItem *item : qAsConst(items))
        item->release();
    returnFreedMemory();
}

void ViewImageWidget::deleteImageItem_slots(ImageItem *item)
{
    if (!item)
        return;
    if (item == selectedItem)
        selectTile(nullptr);
    tileDrag->cancel();
    item->release();
    returnFreedMemory();
    items.removeOne(item);
    items.append(item);
    relayout();
    if (inUseCount() == 0)
        emit NoItemsignal();
}

void ViewImageWidget::createGif(const GifJobChoices &choices)
{
    QList<FrameSource> frames;
    for (const ImageItem *item : tilesInUse())
        frames << FrameSource::fromFile(item->image.path, item->image.size);
    const QString savePath = mainWindow()->menuWidget->savePath;
    if (!makeOutputFolder(savePath))
        return;
    jobStopped = false;
    gifCreaterThread->startJob(
        makeGifJob(newGifFilePath(savePath, currentTime()), frames, choices));

    mainWindow()->showLoading(1);
    mainWindow()->setLoadingText(tr("Create GIF: ") + progressText(0));
}

void ViewImageWidget::cancelJob()
{
    if (!gifCreaterThread->isRunning())
        return;
    jobStopped = true;
    gifCreaterThread->requestStop();
    gifCreaterThread->wait();
}

void ViewImageWidget::gifCreaterThread_updateprogress(int progress)
{
    mainWindow()->setLoadingText(tr("Create GIF: ") + progressText(progress));
}

void ViewImageWidget::gifCreaterThread_Finished()
{
    gifCreaterThread->frameList.clear();
    returnFreedMemory();
    if (jobStopped)
        return;
    mainWindow()->showLoading(0);
    switch (gifCreaterThread->outcome) {
    case JobOutcome::Completed:
        break;
    case JobOutcome::Unreadable:
        showNotice(tr("Failed, cannot read: %1")
                       .arg(QFileInfo(gifCreaterThread->unreadableFile).fileName()),
                   tr("OK"));
        return;
    case JobOutcome::TooLarge:
        showNotice(tr("Failed, the pictures together need a canvas of %1 × %2 pixels, more "
                      "than %3 megapixels.")
                       .arg(gifCreaterThread->gifWidth)
                       .arg(gifCreaterThread->gifHeight)
                       .arg(MaxFramePixels / 1000000),
                   tr("OK"));
        return;
    default:
        showCannotWriteInto(QFileInfo(gifCreaterThread->gifFilePath).absolutePath());
        return;
    }
    if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"),
                    tr("Open")))
        openFolderInFileBrowser(mainWindow()->menuWidget->savePath);
}
