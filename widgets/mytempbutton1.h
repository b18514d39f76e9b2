#ifndef MYTEMPBUTTON1_H
#define MYTEMPBUTTON1_H

#include "widgets/labelbutton.h"

// The message dialog's tile: a label button painted in a normal or a hover colour.
class MyTempButton1 : public LabelButton
{
    Q_OBJECT

public:
    explicit MyTempButton1(QWidget *parent = nullptr);

    void setColors(const QString &normal, const QString &hover, const QString &third);

    bool tileEnabled = true;
    QString normalColor;
    QString hoverColor;
    QString thirdColor;

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintColor(const QString &color);
};

#endif
