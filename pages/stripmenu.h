#ifndef STRIPMENU_H
#define STRIPMENU_H

#include <QList>

class QPoint;
class ImageItem;
class ViewImageWidget;

// The strip's context menu at a point of the screen: for the tiles clicked (the selection,
// or none on the strip's background) Delete, Move to start, Move to end and Set delay…; for
// the strip Reverse, Undo and Redo.
void showStripMenu(ViewImageWidget *strip, const QList<ImageItem *> &tiles,
                   const QPoint &globalPos);

#endif
