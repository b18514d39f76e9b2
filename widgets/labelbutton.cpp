#include "widgets/labelbutton.h"

#include "widgets/textfit.h"
#include "widgets/uiscale.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace {

// Room kept free on each side of the text, clear of the focus ring.
int textMargin()
{
    return scaled(4);
}

}

LabelButton::LabelButton(QWidget *parent) : QLabel(parent)
{
    // Clicks leave the focus where it is, so only keyboard users see the ring.
    setFocusPolicy(Qt::TabFocus);
}

void LabelButton::click()
{
    if (isEnabled())
        emit clicked();
}

QFont LabelButton::textFont() const
{
    QFont font = this->font();
    if (text().isEmpty())
        return font;
    const int room = contentsRect().width() - 2 * textMargin();
    const int size = fittedPixelSize(font, {text()}, room);
    if (size != QFontInfo(font).pixelSize())
        font.setPixelSize(size);
    return font;
}

void LabelButton::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    emit clicked();
}

void LabelButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LabelButton::paintEvent(QPaintEvent *event)
{
    const QFont font = textFont();
    if (font == this->font()) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        drawFrame(&painter);
        painter.setFont(font);
        const QRect room = contentsRect().adjusted(textMargin(), 0, -textMargin(), 0);
        const QString shown = QFontMetrics(font).elidedText(text(), Qt::ElideRight, room.width());
        style()->drawItemText(&painter, room, alignment(), palette(), isEnabled(), shown,
                              foregroundRole());
    }
    if (hasFocus()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(0xe6, 0xe6, 0xe6));
        const qreal inset = scaled(2) + 0.5;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 2, 2);
    }
}
