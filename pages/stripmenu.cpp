#include "pages/stripmenu.h"

#include "app/messagequestions.h"
#include "pages/viewimagewidget.h"
#include "rules/framedelay.h"
#include "widgets/uiscale.h"

#include <QLocale>
#include <QMenu>

namespace {

// A GIF holds a frame's delay in 16 bits, in hundredths of a second.
const int MaxFrameDelay = 65535;

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

// "Set delay…": asks for the delay in seconds, starting from the first tile's.
void askDelay(ViewImageWidget *strip, const QList<ImageItem *> &tiles)
{
    const auto seconds = [](int delay) { return QLocale().toString(delay / 100.0, 'f', 2); };
    const NumberQuestion question{
        ViewImageWidget::tr("Delay in seconds, %1 to %2:")
            .arg(seconds(MinFrameDelay), seconds(MaxFrameDelay)),
        MinFrameDelay / 100.0, MaxFrameDelay / 100.0, 2, strip->delayOf(tiles.first()) / 100.0};
    askNumber(strip, question, [strip, tiles](double answer) {
        strip->setDelay(tiles, qRound(answer * 100));
    });
}

}

void showStripMenu(ViewImageWidget *strip, const QList<ImageItem *> &tiles,
                   const QPoint &globalPos)
{
    const QList<ImageItem *> order = strip->tilesInUse();
    auto *menu = new QMenu(strip);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setStyleSheet(menuSheet());
    if (!tiles.isEmpty()) {
        menu->addAction(ViewImageWidget::tr("Delete"), strip,
                        [strip, tiles] { strip->deleteTiles(tiles); });
        // Already in place, a move would change nothing.
        const bool atStart = order.mid(0, tiles.size()) == tiles;
        const bool atEnd = order.mid(order.size() - tiles.size()) == tiles;
        menu->addAction(ViewImageWidget::tr("Move to start"), strip,
                        [strip, tiles] { strip->moveTiles(tiles, 0); })
            ->setEnabled(!atStart);
        menu->addAction(ViewImageWidget::tr("Move to end"), strip,
                        [strip, tiles, order] { strip->moveTiles(tiles, order.size()); })
            ->setEnabled(!atEnd);
        menu->addAction(ViewImageWidget::tr("Set delay…"), strip,
                        [strip, tiles] { askDelay(strip, tiles); });
        menu->addSeparator();
    }
    menu->addAction(ViewImageWidget::tr("Reverse"), strip, &ViewImageWidget::reverseOrder)
        ->setEnabled(order.size() > 1);
    menu->addSeparator();
    strip->undoAction->setText(ViewImageWidget::tr("Undo"));
    strip->redoAction->setText(ViewImageWidget::tr("Redo"));
    menu->addAction(strip->undoAction);
    menu->addAction(strip->redoAction);
    menu->popup(globalPos);
}
