#ifndef MYMESSAGEDIALOG_H
#define MYMESSAGEDIALOG_H

#include <QDialog>

class QLabel;
class MyPushButton;
class MyTempButton1;

// The frameless dark dialog of every question and notice. okPressed is true only
// when the right-hand tile was pressed.
class MyMessageDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MyMessageDialog(QWidget *parent = nullptr);

    void setMessage(const QString &text);
    void setSingleButton(const QString &text);
    void setButtonTexts(const QString &left, const QString &right);

    QWidget *backgroundWidget = nullptr;
    MyPushButton *closeButton = nullptr;
    QLabel *iconLabel = nullptr;
    QLabel *messageLabel = nullptr;
    MyTempButton1 *CancelButton = nullptr;
    MyTempButton1 *OKButton = nullptr;
    bool okPressed = false;

protected:
    // Return answers as the right-hand tile, Escape as the close button.
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private slots:
    void closeButton_slots();
    void CancelButton_slots();
    void OKButton_slots();

private:
    bool dragging = false;
    int pressX = 0;
    int pressY = 0;
};

#endif
