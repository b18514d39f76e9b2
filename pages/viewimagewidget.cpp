#include "pages/viewimagewidget.h"

#include "app/freedmemory.h"
#include "app/mainmainwidget.h"
#include "app/openfolder.h"
#include "app/progresstext.h"
#include "app/uiscale.h"
#include "pages/gifmenuwidget.h"
#include "pages/gifoutputname.h"
#include "pages/imageitem.h"
#include "widgets/messagequestions.h"
#include "workers/gifcreaterthread.h"

#include <QFileInfo>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>

namespace {

const char *const verticalScrollBarRules[] = {
    "QScrollBar:vertical {border:0px;background:transparent;width: 10px;margin-top:0px; "
    "margin-bottom:0px;margin-left:0px;margin-right:0px;}",
    "QScrollBar::handle:vertical {background: #2b2b2b; min-height: 60px;}",
    "QScrollBar::add-line:vertical {border: 0px;background:transparent;height: 10px;"
    "subcontrol-position: bottom;subcontrol-origin: margin;}",
    "QScrollBar::sub-line:vertical {border: 0px;background:transparent;height: 10px;"
    "subcontrol-position: top;subcontrol-origin: margin;}",
    "QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical {border: 0px;width: 0px;"
    "height: 0px;background: transparent;}",
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {background: transparent;}",
};

}

ViewImageWidget::ViewImageWidget(QWidget *parent) : QWidget(parent)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(QStringLiteral("#3c3c3c")));
    setPalette(background);
    setAutoFillBackground(true);

    scrollArea = new QScrollArea(this);
    contentWidget = new QWidget;
    scrollArea->setPalette(background);
    scrollArea->setAutoFillBackground(true);
    contentWidget->setPalette(background);
    contentWidget->setAutoFillBackground(true);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidget(contentWidget);

    scrollArea->horizontalScrollBar()->setFixedHeight(0);
    scrollArea->horizontalScrollBar()->hide();
    scrollArea->horizontalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:horizontal {border: 0px;width: 0px;margin: 0px 0 0px 0}"));
    QString verticalStyle;
    for (const char *rule : verticalScrollBarRules)
        verticalStyle += QStringLiteral("\t\t\t\t\t\t") + QLatin1String(rule);
    scrollArea->verticalScrollBar()->setStyleSheet(verticalStyle);

    gifCreaterThread = new GifCreaterThread;
    connect(gifCreaterThread, SIGNAL(finished()), this, SLOT(gifCreaterThread_Finished()));
    connect(gifCreaterThread, SIGNAL(updateprogress(int)), this,
            SLOT(gifCreaterThread_updateprogress(int)));
}

ViewImageWidget::~ViewImageWidget()
{
    cancelJob();
    delete gifCreaterThread;
}

int ViewImageWidget::tileWidth() const
{
    return (contentWidget->width() - 5 * scaled(12)) / 4;
}

QSize ViewImageWidget::thumbnailSize() const
{
    const int side = tileWidth() - scaled(10);
    return QSize(side, side);
}

void ViewImageWidget::addLoadedImage(const QString &path, const QSize &size,
                                     const QImage &thumbnail)
{
    ImageItem *item = nullptr;
    for (int i = 0; i < items.size(); ++i) {
        if (!items.at(i)->inUse) {
            item = items.takeAt(i);
            items.append(item);
            break;
        }
    }
    if (!item) {
        item = new ImageItem(contentWidget);
        connect(item, SIGNAL(deleteItem(ImageItem *)), this,
                SLOT(deleteImageItem_slots(ImageItem *)));
        items.append(item);
    }

    item->image = {path, size, QPixmap::fromImage(thumbnail)};
    item->inUse = true;
    item->setGeometry(0, 0, tileWidth(), tileWidth() + scaled(24));
    item->initUi();
    item->show();
    relayout();
}

void ViewImageWidget::relayout()
{
    const int gap = scaled(12);
    const int columnWidth = contentWidget->width() / 4;
    int y = gap;
    int column = 0;
    int number = 0;
    int lastHeight = 0;
    const QString numberStyle =
        QStringLiteral("QLabel{font-size:%1px;color:#ffffff;}").arg(scaled(10));

    for (ImageItem *item : qAsConst(items)) {
        if (!item->inUse)
            continue;
        item->move(columnWidth * column + gap / 2, y);
        lastHeight = item->height();
        ++column;
        ++number;
        QLabel *numberLabel = item->numberLabel;
        numberLabel->setText(QString::number(number));
        // Re-applying an unchanged style sheet re-polishes the label; large strips notice.
        if (numberLabel->styleSheet() != numberStyle)
            numberLabel->setStyleSheet(numberStyle);
        numberLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (column == 4) {
            column = 0;
            y += gap + item->height();
        }
    }
    if (column != 0)
        y += lastHeight + gap;

    contentWidget->setGeometry(0, 0, contentWidget->width(),
                               qMax(y, scrollArea->height()));
}

int ViewImageWidget::inUseCount() const
{
    int count = 0;
    for (const ImageItem *item : items)
        count += item->inUse ? 1 : 0;
    return count;
}

void ViewImageWidget::releaseAll()
{
    for (ImageItem *item : qAsConst(items))
        item->release();
    returnFreedMemory();
}

void ViewImageWidget::deleteImageItem_slots(ImageItem *item)
{
    if (!item)
        return;
    item->release();
    returnFreedMemory();
    items.removeOne(item);
    items.append(item);
    relayout();
    if (inUseCount() == 0)
        emit NoItemsignal();
}

void ViewImageWidget::createGif()
{
    const QString savePath = mainWindow()->menuWidget->savePath;
    gifCreaterThread->gifFilePath = newGifFilePath(savePath, currentTime());
    gifCreaterThread->delay = frameDelay;
    gifCreaterThread->frameList.clear();

    int width = 20;
    int height = 20;
    for (const ImageItem *item : qAsConst(items)) {
        if (!item->inUse)
            continue;
        width = qMax(width, item->image.size.width());
        height = qMax(height, item->image.size.height());
        gifCreaterThread->addImageFile(item->image.path);
    }
    gifCreaterThread->setGifSize(width, height);
    jobStopped = false;
    gifCreaterThread->start(QThread::InheritPriority);

    mainWindow()->showLoading(1);
    mainWindow()->setLoadingText(tr("Create GIF: ") + progressText(0));
}

void ViewImageWidget::cancelJob()
{
    if (!gifCreaterThread->isRunning())
        return;
    jobStopped = true;
    gifCreaterThread->requestStop();
    gifCreaterThread->wait();
}

void ViewImageWidget::gifCreaterThread_updateprogress(int progress)
{
    mainWindow()->setLoadingText(tr("Create GIF: ") + progressText(progress));
}

void ViewImageWidget::gifCreaterThread_Finished()
{
    gifCreaterThread->frameList.clear();
    returnFreedMemory();
    if (jobStopped)
        return;
    mainWindow()->showLoading(0);
    const QString unreadable = gifCreaterThread->unreadableFile;
    if (!unreadable.isEmpty()) {
        showNotice(tr("Failed, cannot read: %1").arg(QFileInfo(unreadable).fileName()), tr("OK"));
        return;
    }
    const QString gifFilePath = gifCreaterThread->gifFilePath;
    if (!gifCreaterThread->succeeded || !QFileInfo::exists(gifFilePath)) {
        showNotice(tr("Failed, Please check the output folder."), tr("OK"));
        return;
    }
    if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"),
                    tr("Open")))
        openFolderInFileBrowser(mainWindow()->menuWidget->savePath);
}
