#include "pages/frameratedialog.h"

#include "rules/framedelay.h"
#include "widgets/uiscale.h"

#include <QHideEvent>
#include <QLabel>
#include <QSpinBox>

FrameRateDialog::FrameRateDialog(int currentRate, QWidget *parent) : MyMessageDialog(parent)
{
    // A window of its own over the parent's, not a child drawn inside it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setMessage(tr("Frames per second, %1 to %2:").arg(MinFrameRate).arg(MaxFrameRate));
    setButtonTexts(tr("Cancel"), tr("OK"));

    rateBox = new QSpinBox(this);
    rateBox->setRange(MinFrameRate, MaxFrameRate);
    rateBox->setValue(currentRate);
    rateBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    rateBox->setGeometry(messageLabel->x(), messageLabel->y() + scaled(30), scaled(100),
                         scaled(30));
    rateBox->setStyleSheet(QStringLiteral("QSpinBox{border: 1px solid #787878;color:#ffffff;"
                                          "font-size:%1px;background-color:#646464;}")
                               .arg(scaled(12)));
}

int FrameRateDialog::rate() const
{
    return rateBox->value();
}

void FrameRateDialog::showEvent(QShowEvent *event)
{
    MyMessageDialog::showEvent(event);
    rateBox->setFocus();
    rateBox->selectAll();
}

void FrameRateDialog::hideEvent(QHideEvent *event)
{
    MyMessageDialog::hideEvent(event);
    if (!event->spontaneous())
        emit answered();
}
