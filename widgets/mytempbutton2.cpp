#include "widgets/mytempbutton2.h"

MyTempButton2::MyTempButton2(QWidget *parent) : LabelButton(parent)
{
    setFrameShape(QFrame::Box);
}

void MyTempButton2::setEnabledStyle(bool on)
{
    setEnabled(on);
    tileEnabled = on;
    if (!disabledStyle.isEmpty())
        setStyleSheet(on ? normalStyle : disabledStyle);
}

void MyTempButton2::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (!hoverStyle.isEmpty() && tileEnabled)
        setStyleSheet(hoverStyle);
}

void MyTempButton2::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (!normalStyle.isEmpty() && tileEnabled)
        setStyleSheet(normalStyle);
}
