#include "pages/previewdialog.h"

#include "pages/imagebatchloader.h"
#include "widgets/dialogclosebutton.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton2.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <cmath>

namespace {

// The most the frames read for one preview may take; beyond it they are read smaller.
const qint64 framesMemory = qint64(256) << 20;

QSize frameSizeWithin(const QSize &area, int frameCount)
{
    const double bytes = 4.0 * area.width() * area.height() * frameCount;
    if (bytes <= framesMemory)
        return area;
    return (QSizeF(area) * std::sqrt(framesMemory / bytes)).toSize().expandedTo(QSize(16, 12));
}

}

PreviewDialog::PreviewDialog(const QStringList &paths, int delay, QWidget *parent)
    : QDialog(parent), frames(paths.size())
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(scaled(520), scaled(460));

    auto *backgroundWidget = new QWidget(this);
    titleLabel = new QLabel(this);
    closeButton = new MyPushButton(this);
    pictureLabel = new QLabel(this);
    playButton = new MyTempButton2(this);
    counterLabel = new QLabel(this);
    imageLoader = new ImageBatchLoader(this);

    const int w = width();
    backgroundWidget->setGeometry(0, 0, w, height());
    titleLabel->setGeometry(scaled(20), scaled(10), w - scaled(60), scaled(20));
    pictureLabel->setGeometry(scaled(20), scaled(40), w - scaled(40), scaled(360));
    playButton->setGeometry(scaled(20), scaled(415), scaled(100), scaled(30));
    counterLabel->setGeometry(scaled(130), scaled(415), w - scaled(150), scaled(30));

    backgroundWidget->setStyleSheet(panelSheet());
    const QString textStyle =
        QStringLiteral("QLabel{font-size:%1px;color:#ffffff;}").arg(scaled(12));
    titleLabel->setStyleSheet(textStyle);
    counterLabel->setStyleSheet(textStyle);
    counterLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette letterbox = pictureLabel->palette();
    letterbox.setColor(QPalette::Window, QColor(0x3c, 0x3c, 0x3c));
    pictureLabel->setPalette(letterbox);
    pictureLabel->setAutoFillBackground(true);
    pictureLabel->setScaledContents(true);
    makeDialogCloseButton(closeButton, w);
    styleTile(playButton);

    connect(closeButton, &MyPushButton::clicked, this, &QDialog::reject);
    connect(playButton, &MyTempButton2::clicked, this, &PreviewDialog::playButton_slots);
    connect(imageLoader, &ImageBatchLoader::imageLoaded, this,
            &PreviewDialog::imageLoader_imageLoaded);
    connect(&timer, &QTimer::timeout, this, &PreviewDialog::timer_timeout);

    // The dialog keeps the keyboard, so that no focus ring shows before Tab is used.
    setFocus();
    timer.setInterval(10 * delay);
    timer.start();
    imageLoader->start(paths, frameSizeWithin(pictureLabel->size(), paths.size()));
    titleLabel->setText(tr("Preview"));
    showPlayText();
    showFrame(0);
}

void PreviewDialog::showPlayText()
{
    playButton->setText(isPlaying() ? tr("Pause") : tr("Play"));
}

void PreviewDialog::showFrame(int index)
{
    current = index;
    pictureLabel->setPixmap(frames.at(index));
    counterLabel->setText(tr("Frame %1 of %2").arg(current + 1).arg(frames.size()));
}

void PreviewDialog::imageLoader_imageLoaded(const QString &, const QSize &,
                                            const QImage &thumbnail, int done, int)
{
    frames[done - 1] = QPixmap::fromImage(thumbnail);
    loaded = done;
    if (done - 1 == current)
        showFrame(current);
}

void PreviewDialog::timer_timeout()
{
    // A frame still being read holds the playing back until it is there.
    const int next = (current + 1) % frames.size();
    if (next < loaded)
        showFrame(next);
}

void PreviewDialog::playButton_slots()
{
    if (isPlaying())
        timer.stop();
    else
        timer.start();
    showPlayText();
}

void PreviewDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        playButton_slots();
    else
        QDialog::keyPressEvent(event);
}

void PreviewDialog::mousePressEvent(QMouseEvent *event)
{
    pressPos = event->pos();
}

void PreviewDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(pos() + event->pos() - pressPos);
}
