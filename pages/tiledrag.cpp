#include "pages/tiledrag.h"

#include "pages/imageitem.h"
#include "pages/viewimagewidget.h"
#include "widgets/mypushbutton.h"
#include "widgets/uiscale.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// With these held, a click changes the selection and starts no drag.
const Qt::KeyboardModifiers ModifiersThatSelect = Qt::ControlModifier | Qt::ShiftModifier;

// How close to the strip's top or bottom edge the pointer scrolls it.
int scrollEdge()
{
    return scaled(40);
}

}

TileDrag::TileDrag(ViewImageWidget *strip) : QObject(strip), strip(strip)
{
    connect(strip, &ViewImageWidget::tileMade, this, &TileDrag::watch);
    connect(strip, &ViewImageWidget::tilesReset, this, &TileDrag::cancel);
    insertionMark = new QWidget(strip->contentWidget);
    QPalette markColour = insertionMark->palette();
    markColour.setColor(QPalette::Window, QColor(0xe6, 0xe6, 0xe6));
    insertionMark->setPalette(markColour);
    insertionMark->setAutoFillBackground(true);
    insertionMark->hide();

    ghost = new QLabel(strip);
    ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *fade = new QGraphicsOpacityEffect(ghost);
    fade->setOpacity(0.6);
    ghost->setGraphicsEffect(fade);
    ghost->hide();

    scrollTimer.setInterval(20);
    connect(&scrollTimer, &QTimer::timeout, this, &TileDrag::autoScroll);
}

void TileDrag::watch(ImageItem *item)
{
    item->installEventFilter(this);
}

bool TileDrag::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return false;
    auto *item = static_cast<ImageItem *>(watched);
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (type == QEvent::MouseButtonPress) {
        // The delete button takes its own press.
        if (item->delButton->isVisible() && item->delButton->geometry().contains(mouse->pos()))
            return false;
        if (mouse->button() == Qt::LeftButton && !(mouse->modifiers() & ModifiersThatSelect))
            press(item, mouse->globalPos());
        else if (mouse->button() == Qt::LeftButton)
            strip->clickTile(item, mouse->modifiers());
        else if (!strip->isSelected(item))
            strip->selectTile(item);
    } else if (!pressedItem) {
        return false;
    } else if (type == QEvent::MouseMove) {
        moveTo(mouse->globalPos());
    } else if (mouse->button() == Qt::LeftButton) {
        pointerGlobalPos = mouse->globalPos();
        drop();
    }
    // Taken here, so that a press on a tile does not move the window.
    mouse->accept();
    return true;
}

void TileDrag::press(ImageItem *item, const QPoint &globalPos)
{
    cancel();
    pressedItem = item;
    pressGlobalPos = globalPos;
    pressOffset = item->mapFromGlobal(globalPos);
    // A press on a selected tile may start dragging them all; only a release without a drag
    // leaves it selected alone.
    if (!strip->isSelected(item))
        strip->selectTile(item);
}

void TileDrag::moveTo(const QPoint &globalPos)
{
    pointerGlobalPos = globalPos;
    if (!dragging) {
        if ((globalPos - pressGlobalPos).manhattanLength() < QApplication::startDragDistance())
            return;
        dragging = true;
        pressedItem->delButton->hide();
        ghost->setPixmap(pressedItem->grab());
        ghost->resize(pressedItem->size());
        ghost->show();
        ghost->raise();
    }
    ghost->move(strip->mapFromGlobal(globalPos) - pressOffset);
    showInsertion();

    const QWidget *viewport = strip->scrollArea->viewport();
    const int y = viewport->mapFromGlobal(globalPos).y();
    if (y < scrollEdge() || y > viewport->height() - scrollEdge())
        scrollTimer.start();
    else
        scrollTimer.stop();
}

void TileDrag::showInsertion()
{
    QWidget *content = strip->contentWidget;
    const QPoint at = content->mapFromGlobal(pointerGlobalPos);
    const int index = strip->insertionIndexAt(at);
    const QList<ImageItem *> order = strip->tilesInUse();
    const int columnWidth = strip->columnWidth();
    // Past the middle of a row's last column the bar stands after that row's last tile,
    // not before the next row's first.
    const bool afterPrevious =
        index == order.size()
        || at.x() >= ViewImageWidget::TilesPerRow * columnWidth - columnWidth / 2;
    const ImageItem *beside = order.at(afterPrevious ? index - 1 : index);
    const int between = columnWidth - beside->width();
    const int centre = afterPrevious ? beside->x() + beside->width() + between / 2
                                     : beside->x() - between / 2;
    const int width = scaled(3);
    insertionMark->setGeometry(qBound(0, centre - width / 2, content->width() - width),
                               beside->y(), width, beside->height());
    insertionMark->show();
    insertionMark->raise();
}

void TileDrag::autoScroll()
{
    const QWidget *viewport = strip->scrollArea->viewport();
    const int y = viewport->mapFromGlobal(pointerGlobalPos).y();
    // Faster the deeper the pointer is in the edge band, or past it.
    const int depth = y < scrollEdge() ? scrollEdge() - y
                                       : y - (viewport->height() - scrollEdge());
    const int step = qMin(depth, 2 * scrollEdge()) / 3 + 1;
    QScrollBar *bar = strip->scrollArea->verticalScrollBar();
    bar->setValue(bar->value() + (y < scrollEdge() ? -step : step));
    showInsertion();
}

void TileDrag::drop()
{
    ImageItem *item = pressedItem;
    const bool moved = dragging;
    cancel();
    if (!moved) {
        strip->selectTile(item);
        return;
    }
    const int index = strip->insertionIndexAt(strip->contentWidget->mapFromGlobal(pointerGlobalPos));
    // The place among the tiles that stay: the moving ones before it leave their places.
    const QList<ImageItem *> moving = strip->selectedTiles();
    const QList<ImageItem *> order = strip->tilesInUse();
    int to = index;
    for (ImageItem *tile : moving) {
        if (order.indexOf(tile) < index)
            --to;
    }
    strip->moveTiles(moving, to);
}

void TileDrag::cancel()
{
    scrollTimer.stop();
    ghost->hide();
    ghost->setPixmap(QPixmap());
    insertionMark->hide();
    pressedItem = nullptr;
    dragging = false;
}
