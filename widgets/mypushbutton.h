#ifndef MYPUSHBUTTON_H
#define MYPUSHBUTTON_H

#include "widgets/labelbutton.h"

#include <QPixmap>
#include <QRect>

// A small image button: a label button that paints one cell of a sprite as its background.
// It does not accept mouse events, so presses and moves still reach its parent.
class MyPushButton : public LabelButton
{
    Q_OBJECT

public:
    explicit MyPushButton(QWidget *parent = nullptr);

    void setNormalRect(int x, int y, int w, int h);
    void setHoverRect(int x, int y, int w, int h);
    void setPressedRect(int x, int y, int w, int h);
    void setDisabledRect(int x, int y, int w, int h);
    void setSprite(const QPixmap &pixmap);
    void setButtonMode(int mode);
    void setButtonGeometry(int x, int y, int w, int h);
    void showCell(const QRect &cell);

signals:
    void Pressclicked();
    void enterButton();
    void leaveButton();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap sprite;
    bool useSprite = false;
    QRect normalRect;
    QRect hoverRect;
    QRect pressedRect;
    QRect disabledRect;
    int buttonMode = 3;
};

#endif
