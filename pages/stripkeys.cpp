#include "pages/stripkeys.h"

#include "pages/imageitem.h"
#include "pages/tileselection.h"
#include "pages/viewimagewidget.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <climits>

StripKeys::StripKeys(ViewImageWidget *strip, TileSelection *selection)
    : QObject(strip), strip(strip), selection(selection)
{
    strip->scrollArea->installEventFilter(this);
}

bool StripKeys::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && selection->isEmpty() && strip->inUseCount() > 0) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            strip->selectTile(strip->tilesInUse().first());
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (keyEvent->key() == Qt::Key_Delete && !selection->isEmpty()) {
        strip->deleteTiles(strip->selectedTiles());
        return true;
    }
    if (keyEvent->matches(QKeySequence::SelectAll)) {
        selection->selectAll(strip->tilesInUse());
        return true;
    }
    return step(keyEvent);
}

bool StripKeys::step(const QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up: step = -ViewImageWidget::TilesPerRow; break;
    case Qt::Key_Down: step = ViewImageWidget::TilesPerRow; break;
    case Qt::Key_Home: step = -INT_MAX / 2; break;
    case Qt::Key_End: step = INT_MAX / 2; break;
    default: return false;
    }
    const QList<ImageItem *> order = strip->tilesInUse();
    if (order.isEmpty())
        return false;
    const int at = order.indexOf(selection->current());
    const int to = at < 0 ? 0 : qBound(0, at + step, order.size() - 1);
    const QList<ImageItem *> selected = strip->selectedTiles();
    if (event->modifiers() & Qt::ControlModifier && !selected.isEmpty()) {
        // The selected tiles move together, as a drag would move them.
        const int first = order.indexOf(selected.first());
        strip->moveTiles(selected, qBound(0, first + step, order.size() - selected.size()));
    } else if (event->modifiers() & Qt::ShiftModifier) {
        selection->extendTo(order.at(to), order);
    } else {
        strip->selectTile(order.at(to));
    }
    if (ImageItem *current = selection->current())
        strip->scrollArea->ensureWidgetVisible(current);
    return true;
}
