#include "pages/viewimagewidget.h"

#include "app/cannotfitnotice.h"
#include "app/freedmemory.h"
#include "app/mainmainwidget.h"
#include "app/messagequestions.h"
#include "app/openfolder.h"
#include "app/outputfolder.h"
#include "app/progresstext.h"
#include "pages/gifmenuwidget.h"
#include "pages/imageitem.h"
#include "pages/stripeditcommand.h"
#include "pages/stripstate.h"
#include "rules/framedelay.h"
#include "rules/gifoutputname.h"
#include "widgets/uiscale.h"
#include "workers/framefile.h"
#include "workers/gifcreaterthread.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QUndoStack>
#include <algorithm>

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

    scrollArea->horizontalScrollBar()->setFixedHeight(0);
    scrollArea->horizontalScrollBar()->hide();
    scrollArea->horizontalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:horizontal {border: 0px;width: 0px;margin: 0px 0 0px 0}"));
    QString verticalStyle;
    for (const char *rule : verticalScrollBarRules)
        verticalStyle += QStringLiteral("\t\t\t\t\t\t") + QLatin1String(rule);
    scrollArea->verticalScrollBar()->setStyleSheet(verticalStyle);

    undoStack = new QUndoStack(this);
    // Each step keeps the strip's frames twice; a long session keeps its last hundred.
    undoStack->setUndoLimit(100);
    undoAction = new QAction(this);
    undoAction->setShortcut(QKeySequence::Undo);
    redoAction = new QAction(this);
    redoAction->setShortcuts({QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z),
                              QKeySequence(Qt::CTRL + Qt::Key_Y)});
    for (QAction *action : {undoAction, redoAction}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setEnabled(false);
    }
    connect(undoAction, &QAction::triggered, undoStack, &QUndoStack::undo);
    connect(redoAction, &QAction::triggered, undoStack, &QUndoStack::redo);
    connect(undoStack, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);

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

ImageItem *ViewImageWidget::takeFreeTile()
{
    for (int i = 0; i < items.size(); ++i) {
        if (!items.at(i)->inUse) {
            ImageItem *item = items.takeAt(i);
            items.append(item);
            return item;
        }
    }
    auto *item = new ImageItem(contentWidget);
    connect(item, SIGNAL(deleteItem(ImageItem *)), this,
            SLOT(deleteImageItem_slots(ImageItem *)));
    emit tileMade(item);
    items.append(item);
    return item;
}

void ViewImageWidget::addLoadedImage(const QString &path, const QSize &size,
                                     const QImage &thumbnail)
{
    ImageItem *item = takeFreeTile();
    item->image = {path, size, QPixmap::fromImage(thumbnail), nextImageId++};
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
        item->showDelay(delayAt(item, number - 1));
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

int ViewImageWidget::delayAt(const ImageItem *item, int position) const
{
    return item->image.delay >= 0 ? item->image.delay : delayOfFrame(rate, position);
}

int ViewImageWidget::delayOf(const ImageItem *item) const
{
    return delayAt(item, tilesInUse().indexOf(const_cast<ImageItem *>(item)));
}

QList<FrameSource> ViewImageWidget::jobFrames() const
{
    QList<FrameSource> frames;
    for (const ImageItem *item : tilesInUse()) {
        frames << FrameSource::fromFile(item->image.path, item->image.size);
        frames.last().delay = delayAt(item, frames.size() - 1);
    }
    return frames;
}

StripState ViewImageWidget::state() const
{
    StripState state;
    for (const ImageItem *item : tilesInUse())
        state.frames << item->image;
    state.frameRate = rate;
    return state;
}

void ViewImageWidget::showState(const StripState &state)
{
    emit tilesReset();
    QHash<int, ImageItem *> shown;
    for (const StripImage &frame : state.frames)
        shown.insert(frame.id, nullptr);
    for (ImageItem *item : tilesInUse()) {
        if (shown.contains(item->image.id))
            shown[item->image.id] = item;
        else
            item->release();
    }
    QList<ImageItem *> order;
    for (const StripImage &frame : state.frames) {
        ImageItem *item = shown.value(frame.id);
        if (item) {
            item->image.delay = frame.delay;
        } else {
            item = takeFreeTile();
            item->image = frame;
            item->inUse = true;
            item->setGeometry(0, 0, tileWidth(), tileHeight());
            item->initUi();
            item->show();
        }
        order << item;
    }
    QList<ImageItem *> released;
    for (ImageItem *item : qAsConst(items)) {
        if (!item->inUse)
            released << item;
    }
    items = order + released;
    selection.keepOnly(order);
    const bool rateChanged = rate != state.frameRate;
    rate = state.frameRate;
    relayout();
    returnFreedMemory();
    if (rateChanged)
        emit frameRateChanged(rate);
    emit framesChanged();
    if (order.isEmpty())
        emit NoItemsignal();
}

void ViewImageWidget::pushEdit(const StripState &after)
{
    // An edit that changes nothing is no step to undo, and leaves nothing to lose.
    const StripState before = state();
    if (!(after == before))
        undoStack->push(new StripEditCommand(this, before, after));
}

QList<int> ViewImageWidget::placesOf(const QList<ImageItem *> &tiles) const
{
    const QList<ImageItem *> order = tilesInUse();
    QHash<const ImageItem *, int> place;
    for (int i = 0; i < order.size(); ++i)
        place.insert(order.at(i), i);
    QList<int> places;
    for (const ImageItem *item : tiles) {
        if (place.contains(item))
            places << place.value(item);
    }
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}

void ViewImageWidget::moveTiles(const QList<ImageItem *> &tiles, int to)
{
    pushEdit(withFramesMoved(state(), placesOf(tiles), to));
}

void ViewImageWidget::deleteTiles(const QList<ImageItem *> &tiles)
{
    const QList<int> places = placesOf(tiles);
    if (places.isEmpty())
        return;
    // When selected tiles go, the tile after the last of them takes the selection, or the
    // one before them all.
    const QList<ImageItem *> order = tilesInUse();
    ImageItem *next = nullptr;
    if (places.last() + 1 < order.size())
        next = order.at(places.last() + 1);
    else if (places.first() > 0)
        next = order.at(places.first() - 1);
    const bool selectionGoes = std::any_of(tiles.begin(), tiles.end(), [this](ImageItem *item) {
        return selection.contains(item);
    });
    pushEdit(withoutFrames(state(), places));
    if (selectionGoes)
        selectTile(next);
}

void ViewImageWidget::reverseOrder()
{
    QList<int> places = placesOf(selectedTiles());
    if (places.size() < 2) {
        places.clear();
        for (int i = 0; i < inUseCount(); ++i)
            places << i;
    }
    pushEdit(withFramesReversed(state(), places));
}

void ViewImageWidget::setDelay(const QList<ImageItem *> &tiles, int delay)
{
    pushEdit(withDelay(state(), placesOf(tiles), delay));
}

void ViewImageWidget::setFrameRate(int newRate)
{
    if (inUseCount() > 0) {
        pushEdit(atFrameRate(state(), newRate));
        return;
    }
    rate = newRate;
    emit frameRateChanged(rate);
}

bool ViewImageWidget::isEdited() const
{
    return !undoStack->isClean();
}

void ViewImageWidget::clickTile(ImageItem *item, Qt::KeyboardModifiers modifiers)
{
    selection.click(item, modifiers, tilesInUse());
}

void ViewImageWidget::selectTile(ImageItem *item)
{
    selection.selectOnly(item);
}

QList<ImageItem *> ViewImageWidget::selectedTiles() const
{
    return selection.inOrder(tilesInUse());
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

void ViewImageWidget::contextMenuEvent(QContextMenuEvent *event)
{
    ImageItem *item = event->reason() == QContextMenuEvent::Keyboard ? selection.current()
                                                                      : tileAt(event->pos());
    if (inUseCount() == 0)
        return;
    // A click on a tile outside the selection acts on that tile alone, as file managers do.
    if (item && !selection.contains(item))
        selectTile(item);
    emit menuRequested(item ? selectedTiles() : QList<ImageItem *>(), event->globalPos());
}

void ViewImageWidget::releaseAll()
{
    emit tilesReset();
    selectTile(nullptr);
    for (ImageItem *item : qAsConst(items))
        item->release();
    undoStack->clear();
    returnFreedMemory();
}

void ViewImageWidget::deleteImageItem_slots(ImageItem *item)
{
    if (item)
        deleteTiles({item});
}

void ViewImageWidget::createGif(const GifJobChoices &choices)
{
    const QString savePath = mainWindow()->menuWidget->savePath;
    if (!makeOutputFolder(savePath))
        return;
    jobStopped = false;
    gifCreaterThread->startJob(
        makeGifJob(newGifFilePath(savePath, currentTime()), jobFrames(), choices));

    mainWindow()->showLoading(1);
    gifCreaterThread_updateprogress(0);
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
    mainWindow()->setLoadingText(tr("Create GIF: ") + progressText(progress)
                                 + fittingText(gifCreaterThread->choices.maxBytes));
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
    case JobOutcome::CannotFit:
        showCannotFit(gifCreaterThread->choices.maxBytes, gifCreaterThread->smallestBytes);
        return;
    default:
        showCannotWriteInto(QFileInfo(gifCreaterThread->gifFilePath).absolutePath());
        return;
    }
    if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"),
                    tr("Open")))
        openFolderInFileBrowser(mainWindow()->menuWidget->savePath);
}
