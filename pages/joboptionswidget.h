#ifndef JOBOPTIONSWIDGET_H
#define JOBOPTIONSWIDGET_H

#include "workers/gifjob.h"

#include <QSize>
#include <QWidget>

class QComboBox;
class QLabel;
class SizeLimitBox;

// The images page's choices for the GIF beyond its frames, each a caption over a drop-down
// box, remembered in the settings: where pictures smaller than the canvas go, the GIF's
// size (the pictures' own, or a width or a height asked for, proportions kept) and how often
// it plays (for ever, once, or a number of times asked for), the quality level (100, the
// exact output, steps of ten below it, or a level asked for) and the size the GIF must fit
// under. It lies in the page's right column.
class JobOptionsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit JobOptionsWidget(QWidget *parent = nullptr);

    // Places the rows for the widget's width and takes the height they need.
    void initLayout();
    void retranslateUi();
    // Writes the choices into the job's.
    void applyTo(GifJobChoices *choices) const;

    QLabel *placementLabel = nullptr;
    QComboBox *placementComboBox = nullptr;
    QLabel *resizeLabel = nullptr;
    QComboBox *resizeComboBox = nullptr;
    QLabel *playLabel = nullptr;
    QComboBox *playComboBox = nullptr;
    QLabel *qualityLabel = nullptr;
    QComboBox *qualityComboBox = nullptr;
    QLabel *sizeLimitLabel = nullptr;
    SizeLimitBox *sizeLimitBox = nullptr;

signals:
    void changed();

private slots:
    void placementComboBox_slots(int index);
    void resizeComboBox_slots(int index);
    void playComboBox_slots(int index);
    void qualityComboBox_slots(int index);

private:
    void fillPlacementBox();
    void fillResizeBox();
    void fillPlayBox();
    void fillQualityBox();
    void fitBoxTexts();
    void setResize(const QSize &size);
    void setPlayCount(int count);
    void setQuality(int level);

    Placement chosenPlacement = Placement::TopLeft;
    QSize chosenSize = QSize(0, 0);
    int chosenPlayCount = 0;
    int chosenQuality = 100;
};

#endif
