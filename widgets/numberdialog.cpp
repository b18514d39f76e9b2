#include "widgets/numberdialog.h"

#include "widgets/uiscale.h"

#include <QDoubleSpinBox>
#include <QHideEvent>
#include <QLabel>

NumberDialog::NumberDialog(const QString &question, double least, double most, int decimals,
                           double current, QWidget *parent)
    : MyMessageDialog(parent)
{
    // A window of its own over the parent's, not a child drawn inside it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setMessage(question);

    numberBox = new QDoubleSpinBox(this);
    numberBox->setDecimals(decimals);
    numberBox->setRange(least, most);
    numberBox->setValue(current);
    numberBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // Below the question, however many lines it takes.
    const int questionHeight = messageLabel->heightForWidth(messageLabel->width());
    numberBox->setGeometry(messageLabel->x(),
                           messageLabel->y() + qMax(scaled(30), questionHeight + scaled(8)),
                           scaled(100), scaled(30));
    numberBox->setStyleSheet(QStringLiteral("QDoubleSpinBox{border: 1px solid #787878;"
                                            "color:#ffffff;font-size:%1px;"
                                            "background-color:#646464;}")
                                 .arg(scaled(12)));
}

double NumberDialog::value() const
{
    return numberBox->value();
}

void NumberDialog::showEvent(QShowEvent *event)
{
    MyMessageDialog::showEvent(event);
    numberBox->setFocus();
    numberBox->selectAll();
}

void NumberDialog::hideEvent(QHideEvent *event)
{
    MyMessageDialog::hideEvent(event);
    if (!event->spontaneous())
        emit answered();
}
