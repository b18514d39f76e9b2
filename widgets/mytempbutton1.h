#ifndef MYTEMPBUTTON1_H
#define MYTEMPBUTTON1_H

#include <QLabel>

// The message dialog's tile: a label painted in a normal or a hover colour, with clicked().
class MyTempButton1 : public QLabel
{
    Q_OBJECT

public:
    explicit MyTempButton1(QWidget *parent = nullptr);

    void setColors(const QString &normal, const QString &hover, const QString &third);

    bool tileEnabled = true;
    QString normalColor;
    QString hoverColor;
    QString thirdColor;

signals:
    void clicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintColor(const QString &color);
};

#endif
