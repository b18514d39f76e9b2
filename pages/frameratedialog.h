#ifndef FRAMERATEDIALOG_H
#define FRAMERATEDIALOG_H

#include "widgets/mymessagedialog.h"

class QSpinBox;

// Asks for a frame rate of its own, a whole number of frames per second, in the look of the
// message dialog. Shown with open(); answered() comes when it has been answered or closed.
class FrameRateDialog : public MyMessageDialog
{
    Q_OBJECT

public:
    FrameRateDialog(int currentRate, QWidget *parent);

    // The rate asked for, when okPressed.
    int rate() const;

    QSpinBox *rateBox = nullptr;

signals:
    void answered();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

#endif
