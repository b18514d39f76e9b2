#include "pages/previewdialog.h"

#include "pages/imagebatchloader.h"
#include "pages/previewframe.h"
#include "widgets/dialogclosebutton.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton2.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

PreviewDialog::PreviewDialog(const GifJob &job, QWidget *parent)
    : QDialog(parent), frames(job.frames.size()), playCount(job.choices.encoding.playCount)
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
    pictureLabel->setAlignment(Qt::AlignCenter);
    makeDialogCloseButton(closeButton, w);
    styleTile(playButton);

    connect(closeButton, &MyPushButton::clicked, this, &QDialog::reject);
    connect(playButton, &MyTempButton2::clicked, this, &PreviewDialog::playButton_slots);
    connect(imageLoader, &ImageBatchLoader::imageLoaded, this,
            &PreviewDialog::imageLoader_imageLoaded);
    connect(&timer, &QTimer::timeout, this, &PreviewDialog::timer_timeout);

    // The dialog keeps the keyboard, so that no focus ring shows before Tab is used.
    setFocus();
    timer.setSingleShot(true);
    QStringList paths;
    for (const FrameSource &frame : job.frames) {
        paths << frame.path;
        delays << frame.delay;
    }
    const QSize shown = previewCanvasSize(job.canvas, pictureLabel->size(), frames.size());
    imageLoader->start(paths, [job, shown](int index, QSize *size) {
        return previewFrame(job.frames.at(index), job, shown, size);
    });
    titleLabel->setText(tr("Preview"));
    showPlayText();
    showFrame(0);
}

void PreviewDialog::showPlayText()
{
    playButton->setText(isPlaying() ? tr("Pause") : tr("Play"));
}

// Shows the frame and gives it its time; a frame not read yet shows when it has been.
void PreviewDialog::showFrame(int index)
{
    current = index;
    waitingForFrame = false;
    pictureLabel->setPixmap(frames.at(index));
    counterLabel->setText(tr("Frame %1 of %2").arg(current + 1).arg(frames.size()));
    if (playing && index < loaded)
        timer.start(10 * delays.at(index));
}

void PreviewDialog::imageLoader_imageLoaded(const QString &, const QSize &,
                                            const QImage &picture, int done, int)
{
    frames[done - 1] = QPixmap::fromImage(picture);
    loaded = done;
    if (done - 1 == current)
        showFrame(current);
    else if (waitingForFrame && done - 1 == current + 1)
        advance();
}

void PreviewDialog::timer_timeout()
{
    advance();
}

void PreviewDialog::advance()
{
    const bool lastFrame = current + 1 == frames.size();
    if (lastFrame && playCount > 0 && ++playsDone >= playCount) {
        // Viewers stop on the last frame.
        playing = false;
        showPlayText();
        return;
    }
    const int next = lastFrame ? 0 : current + 1;
    if (next < loaded)
        showFrame(next);
    else
        waitingForFrame = true;
}

void PreviewDialog::playButton_slots()
{
    playing = !playing;
    if (!playing) {
        timer.stop();
        waitingForFrame = false;
    } else if (playCount > 0 && playsDone >= playCount) {
        playsDone = 0;
        showFrame(0);
    } else {
        showFrame(current);
    }
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
