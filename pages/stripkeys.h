#ifndef STRIPKEYS_H
#define STRIPKEYS_H

#include <QObject>

class QKeyEvent;
class TileSelection;
class ViewImageWidget;

// The keyboard in the strip, as in a file manager: the arrow keys, Home and End move the
// selection among the tiles, with Shift they extend it, with Ctrl they move the selected
// tiles; Delete deletes them, Ctrl+A selects all. A keyboard user arriving in the strip
// finds the first tile selected.
class StripKeys : public QObject
{
    Q_OBJECT

public:
    StripKeys(ViewImageWidget *strip, TileSelection *selection);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool step(const QKeyEvent *event);

    ViewImageWidget *strip;
    TileSelection *selection;
};

#endif
