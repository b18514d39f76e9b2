#ifndef MYTEMPBUTTON2_H
#define MYTEMPBUTTON2_H

#include <QLabel>

// The pages' tile: a label with normal, hover and disabled style sheets and clicked().
class MyTempButton2 : public QLabel
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

signals:
    void clicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

#endif
