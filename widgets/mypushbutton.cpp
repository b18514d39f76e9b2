#include "widgets/mypushbutton.h"

#include "widgets/picturebackground.h"

#include <QMouseEvent>

MyPushButton::MyPushButton(QWidget *parent) : LabelButton(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    // A plain grey rectangle until a sprite is handed over.
    QPalette grey = palette();
    grey.setBrush(QPalette::Window, QBrush(QColor(174, 174, 174, 255)));
    setPalette(grey);
}

void MyPushButton::setNormalRect(int x, int y, int w, int h)
{
    normalRect = QRect(x, y, w, h);
}

void MyPushButton::setHoverRect(int x, int y, int w, int h)
{
    hoverRect = QRect(x, y, w, h);
}

void MyPushButton::setPressedRect(int x, int y, int w, int h)
{
    pressedRect = QRect(x, y, w, h);
}

void MyPushButton::setDisabledRect(int x, int y, int w, int h)
{
    disabledRect = QRect(x, y, w, h);
}

void MyPushButton::setSprite(const QPixmap &pixmap)
{
    sprite = pixmap;
    useSprite = true;
}

void MyPushButton::setButtonMode(int mode)
{
    buttonMode = mode;
    showCell(normalRect);
}

void MyPushButton::setButtonGeometry(int x, int y, int w, int h)
{
    setGeometry(x, y, w, h);
    setButtonMode(buttonMode);
}

void MyPushButton::showCell(const QRect &cell)
{
    if (!useSprite)
        return;
    setPictureBackground(this, sprite.copy(cell));
}

void MyPushButton::enterEvent(QEvent *event)
{
    showCell(hoverRect);
    emit enterButton();
    QLabel::enterEvent(event);
}

void MyPushButton::leaveEvent(QEvent *event)
{
    showCell(normalRect);
    emit leaveButton();
    QLabel::leaveEvent(event);
}

void MyPushButton::mousePressEvent(QMouseEvent *event)
{
    showCell(pressedRect);
    emit Pressclicked();
    // The label leaves the press unaccepted, so it also reaches the window and starts a drag.
    QLabel::mousePressEvent(event);
}

void MyPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    showCell(normalRect);
    LabelButton::mouseReleaseEvent(event);
}
