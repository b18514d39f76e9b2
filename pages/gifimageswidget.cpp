#include "pages/gifimageswidget.h"

#include "app/filechooser.h"
#include "app/freedmemory.h"
#include "app/mainmainwidget.h"
#include "app/services.h"
#include "app/uiscale.h"
#include "pages/filedrop.h"
#include "pages/framedelay.h"
#include "pages/imagebatchloader.h"
#include "pages/naturalorder.h"
#include "pages/viewimagewidget.h"
#include "widgets/comboboxstyle.h"
#include "widgets/mytempbutton2.h"
#include "widgets/textfit.h"
#include "widgets/tilestyle.h"

#include <QComboBox>
#include <QHideEvent>
#include <QIcon>
#include <QImage>
#include <QScrollArea>

namespace {

// The frame rate of each item of the frame-rate box.
const int frameRates[] = {1, 2, 5, 10};

}

GifImagesWidget::GifImagesWidget(QWidget *parent) : QWidget(parent)
{
    viewImageWidget = new ViewImageWidget(this);
    addPhotosButton = new MyTempButton2(this);
    createGifButton = new MyTempButton2(this);
    backupmeuButton = new MyTempButton2(this);
    framepsComboBox = new QComboBox(this);

    styleComboBox(framepsComboBox);

    imageLoader = new ImageBatchLoader(this);
    new FileDrop(
        this, [](const FileKinds &kinds) { return kinds.images; },
        [this](const QStringList &paths) { importImages(paths); });

    connect(addPhotosButton, SIGNAL(clicked()), this, SLOT(addPhotosButton_slots()));
    connect(createGifButton, SIGNAL(clicked()), this, SLOT(createGifButton_slots()));
    connect(backupmeuButton, SIGNAL(clicked()), this, SLOT(backupmeuButton_slots()));
    connect(viewImageWidget, SIGNAL(NoItemsignal()), this, SLOT(NoItemsignal_slots()));
    connect(framepsComboBox, SIGNAL(currentIndexChanged(int)), this,
            SLOT(framepsComboBox_slots(int)));
    connect(imageLoader, &ImageBatchLoader::imageLoaded, this,
            &GifImagesWidget::imageLoader_imageLoaded);
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
}

void GifImagesWidget::retranslateUi()
{
    addPhotosButton->setText(tr("Import Images"));
    createGifButton->setText(tr("Create GIF"));
    backupmeuButton->setText(tr("Backup"));

    // Refilling the box resets it to the last item, and with it the frame delay.
    const QIcon arrow(QStringLiteral(":/images/arrowtest.png"));
    framepsComboBox->clear();
    framepsComboBox->addItem(arrow, tr("1Frame/s"));
    framepsComboBox->addItem(arrow, tr("2Frame/s"));
    framepsComboBox->addItem(arrow, tr("5Frame/s"));
    framepsComboBox->addItem(arrow, tr("10Frame/s"));
    framepsComboBox->setCurrentIndex(3);
    fitComboBoxText(framepsComboBox, scaled(12));
}

void GifImagesWidget::enterPage()
{
    show();
    createGifButton->setEnabledStyle(false);
    viewImageWidget->releaseAll();
}

void GifImagesWidget::cancelJob()
{
    if (imageLoader->isRunning()) {
        imageLoader->cancel();
        createGifButton->setEnabledStyle(viewImageWidget->inUseCount() > 0);
    }
    viewImageWidget->cancelJob();
}

// Leaving the page gives the thumbnails back; it shows an empty strip when entered again.
void GifImagesWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        viewImageWidget->releaseAll();
}

void GifImagesWidget::addPhotosButton_slots()
{
    const QStringList paths = FileChooser::openFiles(
        this, tr("Add Image Files"), folderFromSettings(QStringLiteral("addImagesPath")),
        QStringLiteral("Image (*.jpg *.png *.jpeg *.bmp)"));
    if (!paths.isEmpty())
        importImages(paths);
}

void GifImagesWidget::importImages(const QStringList &paths)
{
    rememberFolderOf(QStringLiteral("addImagesPath"), paths.first());
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
    createGifButton->setEnabledStyle(viewImageWidget->inUseCount() > 0);
}

void GifImagesWidget::showLoadingCount(int done, int total)
{
    mainWindow()->setLoadingText(tr("Loading...") + QStringLiteral(" %1/%2").arg(done).arg(total));
}

void GifImagesWidget::createGifButton_slots()
{
    viewImageWidget->createGif();
}

void GifImagesWidget::backupmeuButton_slots()
{
    mainWindow()->switchPage(0);
}

void GifImagesWidget::framepsComboBox_slots(int index)
{
    if (index >= 0 && index < int(sizeof frameRates / sizeof frameRates[0]))
        viewImageWidget->frameDelay = delayForFrameRate(frameRates[index]);
}

void GifImagesWidget::NoItemsignal_slots()
{
    createGifButton->setEnabledStyle(false);
}
