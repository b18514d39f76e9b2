#ifndef LABELBUTTON_H
#define LABELBUTTON_H

#include <QLabel>

// A label that works as a button: a mouse release after a press on it emits clicked(), also
// outside it and with any button; Tab reaches it and shows a ring; Return and Space press
// it. A text wider than the label is drawn smaller, down to 9·s px, and elided below that.
class LabelButton : public QLabel
{
    Q_OBJECT

public:
    explicit LabelButton(QWidget *parent = nullptr);

    // Presses the button as the keyboard does: clicked(), if it is enabled.
    void click();
    // The font the text is drawn in.
    QFont textFont() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

#endif
