#ifndef MYTEMPBUTTON2_H
#define MYTEMPBUTTON2_H

#include "widgets/labelbutton.h"

// The pages' tile: a label button with normal, hover and disabled style sheets.
class MyTempButton2 : public LabelButton
{
    Q_OBJECT

public:
    explicit MyTempButton2(QWidget *parent = nullptr);

    // Enables or disables the tile and shows the matching style sheet.
    void setEnabledStyle(bool on);

    bool tileEnabled = true;
    QString normalStyle;
    QString hoverStyle;
    QString disabledStyle;

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
};

#endif
