#ifndef TILEDRAG_H
#define TILEDRAG_H

#include <QObject>
#include <QPoint>
#include <QTimer>

class QLabel;
class QWidget;
class ImageItem;
class ViewImageWidget;

// Selecting tiles of the strip and moving them with the mouse. A press on a tile selects it
// (with Ctrl or Shift it changes the selection as file managers do) and keeps the window
// from moving; once the pointer has travelled a little, a faded copy of the tile follows
// it, a bar marks where it would go, and near the strip's top or bottom edge the strip
// scrolls. The release puts the selected tiles there, in their order.
class TileDrag : public QObject
{
    Q_OBJECT

public:
    // Watches every tile the strip makes, and ends a drag when the strip shows its tiles
    // anew.
    explicit TileDrag(ViewImageWidget *strip);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Takes the mouse presses, moves and releases of a tile.
    void watch(ImageItem *item);
    // Ends a drag without moving anything.
    void cancel();
    void press(ImageItem *item, const QPoint &globalPos);
    void moveTo(const QPoint &globalPos);
    void drop();
    // Shows where the tile would go for the pointer's place.
    void showInsertion();
    void autoScroll();

    ViewImageWidget *strip;
    QWidget *insertionMark;
    QLabel *ghost;
    QTimer scrollTimer;
    ImageItem *pressedItem = nullptr;
    QPoint pressGlobalPos;
    QPoint pressOffset; // of the pointer in the tile, for the ghost
    QPoint pointerGlobalPos;
    bool dragging = false;
};

#endif
