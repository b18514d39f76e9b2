#ifndef NUMBERDIALOG_H
#define NUMBERDIALOG_H

#include "widgets/mymessagedialog.h"

class QDoubleSpinBox;

// Asks for one number within bounds, in the look of the message dialog: the question, a
// box to type the number in, "Cancel" and "OK". decimals 0 asks for a whole number. Shown
// with open(); answered() comes when it has been answered or closed.
class NumberDialog : public MyMessageDialog
{
    Q_OBJECT

public:
    NumberDialog(const QString &question, double least, double most, int decimals,
                 double current, QWidget *parent);

    // The number asked for, when okPressed.
    double value() const;

    QDoubleSpinBox *numberBox = nullptr;

signals:
    void answered();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

#endif
