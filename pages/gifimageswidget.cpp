#include "pages/gifimageswidget.h"

#include "app/filechooser.h"
#include "app/freedmemory.h"
#include "app/mainmainwidget.h"
#include "app/messagequestions.h"
#include "app/services.h"
#include "app/settings.h"
#include "pages/filedrop.h"
#include "pages/imagebatchloader.h"
#include "pages/joboptionswidget.h"
#include "pages/previewdialog.h"
#include "pages/sizeestimatelabel.h"
#include "pages/sizelimitbox.h"
#include "pages/stripcontrols.h"
#include "pages/viewimagewidget.h"
#include "rules/filekinds.h"
#include "rules/framedelay.h"
#include "rules/naturalorder.h"
#include "widgets/checkboxstyle.h"
#include "widgets/comboboxstyle.h"
#include "widgets/mytempbutton2.h"
#include "widgets/textfit.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"
#include "workers/gifcreaterthread.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHideEvent>
#include <QIcon>
#include <QImage>
#include <QMap>
#include <QScrollArea>
#include <algorithm>

GifImagesWidget::GifImagesWidget(QWidget *parent) : QWidget(parent)
{
    viewImageWidget = new ViewImageWidget(this);
    addStripControls(viewImageWidget);
    addPhotosButton = new MyTempButton2(this);
    createGifButton = new MyTempButton2(this);
    backupmeuButton = new MyTempButton2(this);
    framepsComboBox = new QComboBox(this);
    previewButton = new MyTempButton2(this);
    smallerFileCheckBox = new QCheckBox(this);
    jobOptions = new JobOptionsWidget(this);
    sizeEstimateLabel = new SizeEstimateLabel(this);

    styleComboBox(framepsComboBox);
    jobChoices.frameRate = readSetting(Setting::imagesFrameRate);
    viewImageWidget->setFrameRate(jobChoices.frameRate);
    jobChoices.encoding.smallerFile = readSetting(Setting::imagesSmallerFile);
    smallerFileCheckBox->setChecked(jobChoices.encoding.smallerFile);
    jobOptions->applyTo(&jobChoices);
    setTabOrder(createGifButton, framepsComboBox);
    setTabOrder(framepsComboBox, previewButton);
    setTabOrder(previewButton, smallerFileCheckBox);
    setTabOrder(smallerFileCheckBox, jobOptions->placementComboBox);
    setTabOrder(jobOptions->sizeLimitBox, backupmeuButton);
    // Undo and redo work wherever the page's focus is.
    addActions({viewImageWidget->undoAction, viewImageWidget->redoAction});

    imageLoader = new ImageBatchLoader(this);
    new FileDrop(
        this, [](const FileKinds &kinds) { return kinds.images; },
        [this](const QStringList &images, const QStringList &others) {
            LeftOutNotice leftOut;
            leftOut.addNotTaken(others, LeftOutReason::NotAnImage);
            importImages(images, leftOut);
        });

    connect(addPhotosButton, SIGNAL(clicked()), this, SLOT(addPhotosButton_slots()));
    connect(createGifButton, SIGNAL(clicked()), this, SLOT(createGifButton_slots()));
    connect(backupmeuButton, SIGNAL(clicked()), this, SLOT(backupmeuButton_slots()));
    connect(viewImageWidget, SIGNAL(NoItemsignal()), this, SLOT(NoItemsignal_slots()));
    // Only the user's choice: refilling the box must not ask for a rate.
    connect(framepsComboBox, SIGNAL(activated(int)), this, SLOT(framepsComboBox_slots(int)));
    connect(previewButton, SIGNAL(clicked()), this, SLOT(previewButton_slots()));
    connect(smallerFileCheckBox, SIGNAL(clicked(bool)), this,
            SLOT(smallerFileCheckBox_slots(bool)));
    connect(jobOptions, SIGNAL(changed()), this, SLOT(jobOptions_changed()));
    connect(viewImageWidget, SIGNAL(frameRateChanged(int)), this,
            SLOT(viewImageWidget_frameRateChanged(int)));
    connect(viewImageWidget, SIGNAL(framesChanged()), this, SLOT(viewImageWidget_framesChanged()));
    connect(viewImageWidget->gifCreaterThread, &QThread::finished, sizeEstimateLabel,
            &SizeEstimateLabel::resumeEstimate);
    connect(imageLoader, &ImageBatchLoader::imageLoaded, this,
            &GifImagesWidget::imageLoader_imageLoaded);
    connect(imageLoader, &ImageBatchLoader::imageLeftOut, this,
            [this](const QString &path, LeftOutReason reason, const QSize &size) {
                importLeftOut.add(path, reason, size);
            });
    connect(imageLoader, &ImageBatchLoader::finished, this,
            &GifImagesWidget::imageLoader_finished);
}

GifImagesWidget::~GifImagesWidget() = default;

void GifImagesWidget::initLayout()
{
    const int w = width();
    const int h = height();
    viewImageWidget->setGeometry(scaled(10), scaled(10), w - scaled(140), h - scaled(20));
    addPhotosButton->setGeometry(w - scaled(115), scaled(30), scaled(100), scaled(30));
    createGifButton->setGeometry(w - scaled(115), scaled(80), scaled(100), scaled(30));
    framepsComboBox->setGeometry(w - scaled(115), scaled(130), scaled(100), scaled(30));
    previewButton->setGeometry(w - scaled(115), scaled(180), scaled(100), scaled(30));
    smallerFileCheckBox->setGeometry(w - scaled(115), scaled(225), scaled(100), scaled(30));
    // Below them the job's options; the GIF's expected size stands above "Backup".
    jobOptions->setGeometry(w - scaled(115), scaled(262), scaled(100), 0);
    jobOptions->initLayout();
    sizeEstimateLabel->setGeometry(w - scaled(115), h - scaled(64), scaled(100), scaled(20));
    backupmeuButton->setGeometry(w - scaled(115), h - scaled(40), scaled(100), scaled(30));
    QScrollArea *scrollArea = viewImageWidget->scrollArea;
    scrollArea->setGeometry(1, 1, viewImageWidget->width() - 2, viewImageWidget->height() - 2);
    viewImageWidget->contentWidget->setGeometry(0, 0, scrollArea->width(), scrollArea->height());
}

void GifImagesWidget::initStyle()
{
    styleTile(addPhotosButton);
    styleTile(createGifButton);
    styleTile(backupmeuButton);
    styleTile(previewButton);
}

void GifImagesWidget::retranslateUi()
{
    addPhotosButton->setText(tr("Import Images"));
    createGifButton->setText(tr("Create GIF"));
    backupmeuButton->setText(tr("Backup"));
    previewButton->setText(tr("Preview"));
    fillFrameRateBox();

    // The option's text takes the room beside its box, smaller where it does not fit.
    const QString option = tr("Smaller file");
    QFont font = smallerFileCheckBox->font();
    font.setPixelSize(scaled(12));
    const int size = fittedPixelSize(font, {option}, checkBoxTextRoom(smallerFileCheckBox));
    smallerFileCheckBox->setStyleSheet(checkBoxStyle(size, true));
    smallerFileCheckBox->setText(option);
    jobOptions->retranslateUi();
    sizeEstimateLabel->retranslateUi();
    // The tiles' delays are written in the language too.
    viewImageWidget->relayout();
}

void GifImagesWidget::fillFrameRateBox()
{
    const QMap<int, QString> presets{
        {1, tr("1Frame/s")}, {2, tr("2Frame/s")}, {5, tr("5Frame/s")}, {10, tr("10Frame/s")}};
    QList<int> rates = presets.keys();
    if (!presets.contains(jobChoices.frameRate)) {
        rates << jobChoices.frameRate;
        std::sort(rates.begin(), rates.end());
    }
    const QIcon arrow(QStringLiteral(":/images/arrowtest.png"));
    framepsComboBox->clear();
    for (int rate : qAsConst(rates))
        framepsComboBox->addItem(arrow, presets.value(rate, tr("%1Frame/s").arg(rate)), rate);
    framepsComboBox->addItem(arrow, tr("Custom…"));
    framepsComboBox->setCurrentIndex(framepsComboBox->findData(jobChoices.frameRate));
    fitComboBoxText(framepsComboBox, scaled(12));
}

// The rate the strip's delays come from: chosen, undone or done again.
void GifImagesWidget::viewImageWidget_frameRateChanged(int rate)
{
    jobChoices.frameRate = rate;
    writeSetting(Setting::imagesFrameRate, rate);
    fillFrameRateBox();
    estimateSize();
}

void GifImagesWidget::enterPage()
{
    show();
    viewImageWidget->releaseAll();
    enableFrameTiles();
    estimateSize();
}

void GifImagesWidget::cancelJob()
{
    if (imageLoader->isRunning()) {
        imageLoader->cancel();
        enableFrameTiles();
    }
    viewImageWidget->cancelJob();
}

void GifImagesWidget::enableFrameTiles()
{
    const bool any = viewImageWidget->inUseCount() > 0;
    createGifButton->setEnabledStyle(any);
    previewButton->setEnabledStyle(any);
}

GifJob GifImagesWidget::nextJob() const
{
    return makeGifJob(QString(), viewImageWidget->jobFrames(), jobChoices);
}

void GifImagesWidget::estimateSize()
{
    sizeEstimateLabel->jobChanged(nextJob());
}

// Leaving the page gives the thumbnails back; it shows an empty strip when entered again.
void GifImagesWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        viewImageWidget->releaseAll();
        estimateSize();
    }
}

void GifImagesWidget::addPhotosButton_slots()
{
    const QStringList paths = FileChooser::openFiles(
        this, tr("Add Image Files"), folderFromSettings(Setting::addImagesPath),
        chooserFilter(QStringLiteral("Image"), imageSuffixes()));
    if (!paths.isEmpty())
        importImages(paths);
}

void GifImagesWidget::importImages(const QStringList &paths, const LeftOutNotice &leftOut)
{
    importLeftOut = leftOut;
    rememberFolderOf(Setting::addImagesPath, paths.first());
    const QStringList ordered = inNaturalOrder(paths);
    mainWindow()->showLoading(1);
    showLoadingCount(0, ordered.size());
    imageLoader->start(ordered, viewImageWidget->thumbnailSize());
}

void GifImagesWidget::imageLoader_imageLoaded(const QString &path, const QSize &size,
                                              const QImage &thumbnail, int done, int total)
{
    if (!thumbnail.isNull())
        viewImageWidget->addLoadedImage(path, size, thumbnail);
    showLoadingCount(done, total);
}

void GifImagesWidget::imageLoader_finished()
{
    returnFreedMemory();
    mainWindow()->showLoading(0);
    enableFrameTiles();
    estimateSize();
    importLeftOut.showAndClear();
}

void GifImagesWidget::showLoadingCount(int done, int total)
{
    mainWindow()->setLoadingText(tr("Loading...") + QStringLiteral(" %1/%2").arg(done).arg(total));
}

void GifImagesWidget::createGifButton_slots()
{
    // The creation takes every core; the estimate waits for it to end.
    sizeEstimateLabel->pauseEstimate();
    viewImageWidget->createGif(jobChoices);
    if (!viewImageWidget->gifCreaterThread->isRunning())
        sizeEstimateLabel->resumeEstimate();
}

bool GifImagesWidget::mayLeave()
{
    return !viewImageWidget->isEdited()
           || askQuestion(tr("Leave the page and lose the changes to the frames?"), tr("Stay"),
                          tr("Leave"));
}

void GifImagesWidget::backupmeuButton_slots()
{
    if (mayLeave())
        mainWindow()->switchPage(0);
}

void GifImagesWidget::framepsComboBox_slots(int index)
{
    const QVariant rate = framepsComboBox->itemData(index);
    if (rate.isValid())
        viewImageWidget->setFrameRate(rate.toInt());
    else
        askCustomFrameRate();
}

void GifImagesWidget::askCustomFrameRate()
{
    askNumber(
        this,
        {tr("Frames per second, %1 to %2:").arg(MinFrameRate).arg(MaxFrameRate), MinFrameRate,
         MaxFrameRate, 0, double(jobChoices.frameRate)},
        [this](double rate) {
            viewImageWidget->setFrameRate(int(rate));
            // The same rate again changes nothing but must leave "Custom…".
            fillFrameRateBox();
        },
        [this] { fillFrameRateBox(); });
}

void GifImagesWidget::previewButton_slots()
{
    const GifJob job = nextJob();
    if (job.frames.isEmpty())
        return;
    auto *preview = new PreviewDialog(job, this);
    connect(preview, &QObject::destroyed, [] { returnFreedMemory(); });
    mainWindow()->centerOnMainWindow(preview);
    preview->open();
}

void GifImagesWidget::smallerFileCheckBox_slots(bool on)
{
    jobChoices.encoding.smallerFile = on;
    writeSetting(Setting::imagesSmallerFile, on);
    estimateSize();
}

void GifImagesWidget::jobOptions_changed()
{
    jobOptions->applyTo(&jobChoices);
    estimateSize();
}

void GifImagesWidget::viewImageWidget_framesChanged()
{
    enableFrameTiles();
    estimateSize();
}

void GifImagesWidget::NoItemsignal_slots()
{
    enableFrameTiles();
}
