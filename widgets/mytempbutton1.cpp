#include "widgets/mytempbutton1.h"

MyTempButton1::MyTempButton1(QWidget *parent)
    : LabelButton(parent), thirdColor(QStringLiteral("#dadcdd"))
{
}

void MyTempButton1::setColors(const QString &normal, const QString &hover, const QString &third)
{
    normalColor = normal;
    hoverColor = hover;
    thirdColor = third;
    if (!normalColor.isEmpty())
        paintColor(normalColor);
}

void MyTempButton1::paintColor(const QString &color)
{
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(QColor(color)));
    setPalette(pal);
    setAutoFillBackground(true);
}

void MyTempButton1::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (!hoverColor.isEmpty() && tileEnabled)
        paintColor(hoverColor);
}

void MyTempButton1::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (!normalColor.isEmpty() && tileEnabled)
        paintColor(normalColor);
}
