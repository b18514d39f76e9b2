#include "pages/stripcontrols.h"

#include "pages/stripkeys.h"
#include "pages/stripmenu.h"
#include "pages/tiledrag.h"
#include "pages/viewimagewidget.h"

void addStripControls(ViewImageWidget *strip)
{
    new TileDrag(strip);
    new StripKeys(strip, strip->tileSelection());
    QObject::connect(strip, &ViewImageWidget::menuRequested, strip,
                     [strip](const QList<ImageItem *> &tiles, const QPoint &globalPos) {
                         showStripMenu(strip, tiles, globalPos);
                     });
}
