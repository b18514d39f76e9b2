#include "widgets/mymessagedialog.h"

#include "widgets/dialogclosebutton.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton1.h"
#include "widgets/picturebackground.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

MyMessageDialog::MyMessageDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::FramelessWindowHint);
    resize(scaled(480), scaled(252));
    okPressed = false;
    backgroundWidget = new QWidget(this);
    closeButton = new MyPushButton(this);
    iconLabel = new QLabel(this);
    messageLabel = new QLabel(this);
    CancelButton = new MyTempButton1(this);
    OKButton = new MyTempButton1(this);
    connect(closeButton, &MyPushButton::clicked, this, &MyMessageDialog::closeButton_slots);
    connect(CancelButton, &MyTempButton1::clicked, this, &MyMessageDialog::CancelButton_slots);
    connect(OKButton, &MyTempButton1::clicked, this, &MyMessageDialog::OKButton_slots);
    // Return answers with the right-hand tile unless Tab moved on from it.
    setTabOrder(CancelButton, OKButton);
    setTabOrder(OKButton, closeButton);
    OKButton->setFocus();
}

void MyMessageDialog::setMessage(const QString &text)
{
    const QString textStyle = QStringLiteral("QLabel{font-size:") + QString::number(scaled(12))
                              + QStringLiteral("px;color:#FFFFFF;}");
    messageLabel->setStyleSheet(textStyle);
    // Plain text: a message may hold file names, which must not be read as markup.
    messageLabel->setTextFormat(Qt::PlainText);
    messageLabel->setText(text);
    messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    messageLabel->setWordWrap(true);

    // A long message (a list of files) makes the dialog taller, up to a bound.
    const int w = width();
    // The 90 and 100 are plain pixels at every scale.
    const int textWidth = w - scaled(40) - scaled(40) - 100;
    messageLabel->ensurePolished();
    const int textHeight =
        qBound(scaled(90), messageLabel->heightForWidth(textWidth), scaled(360));
    resize(w, scaled(252) - scaled(90) + textHeight);

    backgroundWidget->setGeometry(0, 0, w, height());
    backgroundWidget->setStyleSheet(panelSheet());
    iconLabel->setGeometry(scaled(40), scaled(60), scaled(48), scaled(48));
    messageLabel->setGeometry(iconLabel->x() + 90, scaled(70), textWidth, textHeight);
    CancelButton->setGeometry(w / 2 - scaled(10) - scaled(120),
                              scaled(70) + textHeight + scaled(20), scaled(120), scaled(35));
    OKButton->setGeometry(w / 2 + scaled(10), CancelButton->y(), scaled(120), scaled(35));

    setPictureBackground(iconLabel, QPixmap(QStringLiteral(":/images/program.png")));

    makeDialogCloseButton(closeButton, w);

    for (MyTempButton1 *tile : {CancelButton, OKButton}) {
        tile->setColors(QStringLiteral("#646464"), QStringLiteral("#6e6d6d"),
                        QStringLiteral("#505050"));
        tile->setStyleSheet(textStyle);
        tile->setAlignment(Qt::AlignCenter);
    }
    CancelButton->setText(tr("Cancel"));
    CancelButton->show();
    OKButton->setText(tr("OK"));
    OKButton->show();
}

void MyMessageDialog::setSingleButton(const QString &text)
{
    CancelButton->hide();
    OKButton->show();
    OKButton->setText(text);
    OKButton->setGeometry((width() - scaled(120)) / 2, CancelButton->y(), scaled(120),
                          scaled(35));
}

void MyMessageDialog::setButtonTexts(const QString &left, const QString &right)
{
    CancelButton->setText(left);
    OKButton->setText(right);
}

void MyMessageDialog::closeButton_slots()
{
    okPressed = false;
    hide();
}

void MyMessageDialog::CancelButton_slots()
{
    okPressed = false;
    hide();
}

void MyMessageDialog::OKButton_slots()
{
    okPressed = true;
    hide();
}

void MyMessageDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        closeButton_slots();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OKButton_slots();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MyMessageDialog::mousePressEvent(QMouseEvent *event)
{
    dragging = true;
    pressX = event->x();
    pressY = event->y();
}

void MyMessageDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    setGeometry(x() + event->x() - pressX, y() + event->y() - pressY, width(), height());
}

void MyMessageDialog::mouseReleaseEvent(QMouseEvent *)
{
    dragging = false;
}
