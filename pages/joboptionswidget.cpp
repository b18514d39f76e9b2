#include "pages/joboptionswidget.h"

#include "app/messagequestions.h"
#include "app/settings.h"
#include "encoder/gifstreamwriter.h"
#include "pages/sizelimitbox.h"
#include "widgets/comboboxstyle.h"
#include "widgets/textfit.h"
#include "widgets/uiscale.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>

namespace {

const int MaxPlayCount = Setting::imagesPlayCount.most;
const int ExactQuality = Setting::imagesQuality.most;
// The levels offered without asking: steps a viewer tells apart, in size and in look.
const int OfferedQualities[] = {90, 80, 70, 60, 50, 40};

// Heights of a row's parts and the room below it, in design pixels.
const int captionHeight = 16;
const int boxHeight = 28;
const int rowGap = 6;

void addItem(QComboBox *box, const QString &text, const QVariant &data = QVariant())
{
    box->addItem(QIcon(QStringLiteral(":/images/arrowtest.png")), text, data);
}


}

JobOptionsWidget::JobOptionsWidget(QWidget *parent) : QWidget(parent)
{
    placementLabel = new QLabel(this);
    placementComboBox = new QComboBox(this);
    resizeLabel = new QLabel(this);
    resizeComboBox = new QComboBox(this);
    playLabel = new QLabel(this);
    playComboBox = new QComboBox(this);
    qualityLabel = new QLabel(this);
    qualityComboBox = new QComboBox(this);
    sizeLimitLabel = new QLabel(this);
    sizeLimitBox = new SizeLimitBox(Setting::imagesMaxBytes,
                                    QIcon(QStringLiteral(":/images/arrowtest.png")), this);

    chosenPlacement = static_cast<Placement>(readSetting(Setting::imagesPlacement));
    const int width = readSetting(Setting::imagesResizeWidth);
    chosenSize = width > 0 ? QSize(width, 0) : QSize(0, readSetting(Setting::imagesResizeHeight));
    chosenPlayCount = readSetting(Setting::imagesPlayCount);
    chosenQuality = readSetting(Setting::imagesQuality);

    for (QComboBox *box :
         {placementComboBox, resizeComboBox, playComboBox, qualityComboBox,
          static_cast<QComboBox *>(sizeLimitBox)})
        styleComboBox(box);
    setTabOrder(placementComboBox, resizeComboBox);
    setTabOrder(resizeComboBox, playComboBox);
    setTabOrder(playComboBox, qualityComboBox);
    setTabOrder(qualityComboBox, sizeLimitBox);
    // Only the user's choices: refilling a box must not ask anything.
    connect(placementComboBox, SIGNAL(activated(int)), this, SLOT(placementComboBox_slots(int)));
    connect(resizeComboBox, SIGNAL(activated(int)), this, SLOT(resizeComboBox_slots(int)));
    connect(playComboBox, SIGNAL(activated(int)), this, SLOT(playComboBox_slots(int)));
    connect(qualityComboBox, SIGNAL(activated(int)), this, SLOT(qualityComboBox_slots(int)));
    connect(sizeLimitBox, &SizeLimitBox::limitChanged, this, [this] {
        fitBoxTexts();
        emit changed();
    });
}

void JobOptionsWidget::initLayout()
{
    const int w = width();
    int y = 0;
    for (const auto &row : {qMakePair(placementLabel, placementComboBox),
                            qMakePair(resizeLabel, resizeComboBox),
                            qMakePair(playLabel, playComboBox),
                            qMakePair(qualityLabel, qualityComboBox),
                            qMakePair(sizeLimitLabel, static_cast<QComboBox *>(sizeLimitBox))}) {
        row.first->setGeometry(0, y, w, scaled(captionHeight));
        row.second->setGeometry(0, y + scaled(captionHeight), w, scaled(boxHeight));
        y += scaled(captionHeight) + scaled(boxHeight) + scaled(rowGap);
    }
    resize(w, y);
}

void JobOptionsWidget::retranslateUi()
{
    const QList<QPair<QLabel *, QString>> captions{{placementLabel, tr("Smaller pictures:")},
                                                   {resizeLabel, tr("Size:")},
                                                   {playLabel, tr("Play:")},
                                                   {qualityLabel, tr("Quality:")},
                                                   {sizeLimitLabel, tr("Fit under:")}};
    for (const auto &caption : captions) {
        QFont font = caption.first->font();
        font.setPixelSize(scaled(11));
        const int size = fittedPixelSize(font, {caption.second}, caption.first->width());
        caption.first->setStyleSheet(
            QStringLiteral("QLabel{font-size:%1px;color:#ffffff;}").arg(size));
        caption.first->setText(caption.second);
    }
    fillPlacementBox();
    fillResizeBox();
    fillPlayBox();
    fillQualityBox();
    sizeLimitBox->retranslateUi();
    fitBoxTexts();
}

void JobOptionsWidget::applyTo(GifJobChoices *choices) const
{
    choices->placement = chosenPlacement;
    choices->resize = chosenSize;
    choices->encoding.playCount = chosenPlayCount;
    choices->encoding.quality = chosenQuality;
    choices->maxBytes = sizeLimitBox->limit();
}

void JobOptionsWidget::fillPlacementBox()
{
    placementComboBox->clear();
    addItem(placementComboBox, tr("Top left"), int(Placement::TopLeft));
    addItem(placementComboBox, tr("Centred"), int(Placement::Centred));
    addItem(placementComboBox, tr("Scaled to fit"), int(Placement::ScaledToFit));
    placementComboBox->setCurrentIndex(placementComboBox->findData(int(chosenPlacement)));
    fitBoxTexts();
}

// The pictures' own size, the width or height chosen if there is one, then the questions.
void JobOptionsWidget::fillResizeBox()
{
    resizeComboBox->clear();
    addItem(resizeComboBox, tr("Original size"), QSize(0, 0));
    if (chosenSize.width() > 0)
        addItem(resizeComboBox, tr("Width %1 px").arg(chosenSize.width()), chosenSize);
    else if (chosenSize.height() > 0)
        addItem(resizeComboBox, tr("Height %1 px").arg(chosenSize.height()), chosenSize);
    addItem(resizeComboBox, tr("Width…"));
    addItem(resizeComboBox, tr("Height…"));
    resizeComboBox->setCurrentIndex(resizeComboBox->findData(chosenSize));
    fitBoxTexts();
}

// For ever, once, the number of times chosen if it is another, then the question.
void JobOptionsWidget::fillPlayBox()
{
    playComboBox->clear();
    addItem(playComboBox, tr("Forever"), 0);
    addItem(playComboBox, tr("Once"), 1);
    if (chosenPlayCount > 1)
        addItem(playComboBox, tr("%1 times").arg(chosenPlayCount), chosenPlayCount);
    addItem(playComboBox, tr("Times…"));
    playComboBox->setCurrentIndex(playComboBox->findData(chosenPlayCount));
    fitBoxTexts();
}

// The exact level, the steps below it, the level chosen if it is another, then the question.
void JobOptionsWidget::fillQualityBox()
{
    qualityComboBox->clear();
    addItem(qualityComboBox, tr("100 (exact)"), ExactQuality);
    bool offered = chosenQuality == ExactQuality;
    for (const int level : OfferedQualities) {
        addItem(qualityComboBox, QString::number(level), level);
        offered = offered || level == chosenQuality;
    }
    if (!offered)
        addItem(qualityComboBox, QString::number(chosenQuality), chosenQuality);
    addItem(qualityComboBox, tr("Level…"));
    qualityComboBox->setCurrentIndex(qualityComboBox->findData(chosenQuality));
    fitBoxTexts();
}

// The boxes show their texts at one size, the largest at which all fit.
void JobOptionsWidget::fitBoxTexts()
{
    fitComboBoxTexts({placementComboBox, resizeComboBox, playComboBox, qualityComboBox,
                      sizeLimitBox},
                     scaled(12));
}

void JobOptionsWidget::placementComboBox_slots(int index)
{
    chosenPlacement = static_cast<Placement>(placementComboBox->itemData(index).toInt());
    writeSetting(Setting::imagesPlacement, int(chosenPlacement));
    emit changed();
}

void JobOptionsWidget::resizeComboBox_slots(int index)
{
    const QVariant size = resizeComboBox->itemData(index);
    if (size.isValid()) {
        setResize(size.toSize());
        return;
    }
    const bool width = index == resizeComboBox->count() - 2;
    const QString question = width ? tr("Width of the GIF in pixels, %1 to %2:")
                                   : tr("Height of the GIF in pixels, %1 to %2:");
    const int current = width ? chosenSize.width() : chosenSize.height();
    const int least = width ? MinGifCanvas.width() : MinGifCanvas.height();
    askNumber(
        this,
        {question.arg(least).arg(MaxGifSide), double(least), double(MaxGifSide), 0,
         double(current > 0 ? current : 480)},
        [this, width](double side) {
            setResize(width ? QSize(int(side), 0) : QSize(0, int(side)));
        },
        [this] { fillResizeBox(); });
}

void JobOptionsWidget::setResize(const QSize &size)
{
    chosenSize = size;
    writeSetting(Setting::imagesResizeWidth, size.width());
    writeSetting(Setting::imagesResizeHeight, size.height());
    fillResizeBox();
    emit changed();
}

void JobOptionsWidget::playComboBox_slots(int index)
{
    const QVariant count = playComboBox->itemData(index);
    if (count.isValid()) {
        setPlayCount(count.toInt());
        return;
    }
    askNumber(
        this,
        {tr("How many times the GIF plays, %1 to %2:").arg(2).arg(MaxPlayCount), 2,
         double(MaxPlayCount), 0, double(qMax(chosenPlayCount, 2))},
        [this](double count) { setPlayCount(int(count)); }, [this] { fillPlayBox(); });
}

void JobOptionsWidget::setPlayCount(int count)
{
    chosenPlayCount = count;
    writeSetting(Setting::imagesPlayCount, count);
    fillPlayBox();
    emit changed();
}

void JobOptionsWidget::qualityComboBox_slots(int index)
{
    const QVariant level = qualityComboBox->itemData(index);
    if (level.isValid()) {
        setQuality(level.toInt());
        return;
    }
    const int least = Setting::imagesQuality.least;
    askNumber(
        this,
        {tr("Quality level, %1 to %2 (lower levels give smaller files):")
             .arg(least)
             .arg(ExactQuality),
         double(least), double(ExactQuality), 0, double(chosenQuality)},
        [this](double level) { setQuality(int(level)); }, [this] { fillQualityBox(); });
}

void JobOptionsWidget::setQuality(int level)
{
    chosenQuality = level;
    writeSetting(Setting::imagesQuality, level);
    fillQualityBox();
    emit changed();
}
