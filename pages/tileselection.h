#ifndef TILESELECTION_H
#define TILESELECTION_H

#include <QList>
#include <QSet>
#include <Qt>

class ImageItem;

// Which tiles of the strip are selected, the way file managers select: a click selects one
// tile, Ctrl+click adds or removes one, Shift+click selects the run from the anchor (the
// tile of the last click without Shift) to it. The current tile is the one the keyboard is
// on. Selected tiles show a highlighted border.
class TileSelection
{
public:
    // A click on a tile with these modifiers; order is the strip's tiles in use.
    void click(ImageItem *item, Qt::KeyboardModifiers modifiers, const QList<ImageItem *> &order);
    // Selects only this tile, which becomes the anchor and the current tile; none when null.
    void selectOnly(ImageItem *item);
    void selectAll(const QList<ImageItem *> &order);
    // Selects the run from the anchor to item, which becomes the current tile.
    void extendTo(ImageItem *item, const QList<ImageItem *> &order);
    // Forgets the tiles that are not in use any more.
    void keepOnly(const QList<ImageItem *> &inUse);

    bool contains(ImageItem *item) const { return selected.contains(item); }
    bool isEmpty() const { return selected.isEmpty(); }
    ImageItem *current() const { return currentItem; }
    // The selected tiles, in strip order.
    QList<ImageItem *> inOrder(const QList<ImageItem *> &order) const;

private:
    void toggle(ImageItem *item);
    void mark(const QSet<ImageItem *> &tiles);

    QSet<ImageItem *> selected;
    ImageItem *anchor = nullptr;
    ImageItem *currentItem = nullptr;
};

#endif
