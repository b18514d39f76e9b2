#include "pages/tileselection.h"

#include "pages/imageitem.h"

void TileSelection::click(ImageItem *item, Qt::KeyboardModifiers modifiers,
                          const QList<ImageItem *> &order)
{
    if (modifiers & Qt::ShiftModifier)
        extendTo(item, order);
    else if (modifiers & Qt::ControlModifier)
        toggle(item);
    else
        selectOnly(item);
}

void TileSelection::selectOnly(ImageItem *item)
{
    anchor = currentItem = item;
    mark(item ? QSet<ImageItem *>{item} : QSet<ImageItem *>());
}

void TileSelection::selectAll(const QList<ImageItem *> &order)
{
    if (!order.contains(currentItem))
        currentItem = order.isEmpty() ? nullptr : order.first();
    if (!order.contains(anchor))
        anchor = currentItem;
    mark(QSet<ImageItem *>(order.begin(), order.end()));
}

void TileSelection::extendTo(ImageItem *item, const QList<ImageItem *> &order)
{
    const int to = order.indexOf(item);
    if (to < 0)
        return;
    if (!order.contains(anchor))
        anchor = item;
    const int from = order.indexOf(anchor);
    QSet<ImageItem *> run;
    for (int i = qMin(from, to); i <= qMax(from, to); ++i)
        run << order.at(i);
    currentItem = item;
    mark(run);
}

void TileSelection::toggle(ImageItem *item)
{
    QSet<ImageItem *> tiles = selected;
    if (!tiles.remove(item))
        tiles << item;
    anchor = currentItem = item;
    mark(tiles);
}

void TileSelection::keepOnly(const QList<ImageItem *> &inUse)
{
    const QSet<ImageItem *> tiles(inUse.begin(), inUse.end());
    if (!tiles.contains(anchor))
        anchor = nullptr;
    if (!tiles.contains(currentItem))
        currentItem = nullptr;
    mark(selected & tiles);
}

QList<ImageItem *> TileSelection::inOrder(const QList<ImageItem *> &order) const
{
    QList<ImageItem *> tiles;
    for (ImageItem *item : order) {
        if (selected.contains(item))
            tiles << item;
    }
    return tiles;
}

void TileSelection::mark(const QSet<ImageItem *> &tiles)
{
    for (ImageItem *item : qAsConst(selected)) {
        if (!tiles.contains(item))
            item->setSelected(false);
    }
    for (ImageItem *item : tiles) {
        if (!selected.contains(item))
            item->setSelected(true);
    }
    selected = tiles;
}
