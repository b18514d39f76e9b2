#include "pages/imageitem.h"

#include "pages/elidedname.h"
#include "widgets/mypushbutton.h"
#include "widgets/picturebackground.h"
#include "widgets/uiscale.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPalette>

namespace {

QString frameSheet(bool selected)
{
    return selected ? QStringLiteral("QWidget{border: 2px solid #e6e6e6;border-radius: 3px;"
                                     "background-color:#3c3c3c;}")
                    : QStringLiteral("QWidget{border: 1px solid #929292;border-radius: 3px;"
                                     "background-color:#3c3c3c;}");
}

}

ImageItem::ImageItem(QWidget *parent) : QWidget(parent)
{
    // Creation order sets the stacking: the delete button lies above everything.
    frameWidget = new QWidget(this);
    imageLabel = new QLabel(this);
    delayLabel = new QLabel(this);
    nameLabel = new QLabel(this);
    numberLabel = new QLabel(this);
    delButton = new MyPushButton(this);
    delButton->hide();
    connect(delButton, SIGNAL(clicked()), this, SLOT(delButton_slots()));
}

void ImageItem::initUi()
{
    const int w = width();
    const int h = height();
    frameWidget->setGeometry(0, 0, w, h);
    imageLabel->setGeometry(scaled(5), scaled(10), w - scaled(10), w - scaled(10));
    nameLabel->setGeometry(scaled(5), imageLabel->y() + imageLabel->height(),
                           imageLabel->width(), scaled(18));
    numberLabel->setGeometry(2, 0, w - scaled(20), scaled(10));
    delButton->setButtonGeometry(w - scaled(10), 1, scaled(10), scaled(10));

    nameLabel->setStyleSheet(
        QStringLiteral("QLabel{font-size:%1px;color:#ffffff;}").arg(scaled(11)));
    nameLabel->setAlignment(Qt::AlignCenter);
    nameLabel->ensurePolished();
    nameLabel->setText(elidedFileName(QFileInfo(image.path).fileName(), nameLabel->fontMetrics(),
                                      nameLabel->width() - scaled(4)));
    setToolTip(QDir::toNativeSeparators(image.path));

    setSelected(false);
    // A small dark badge in the picture's bottom right corner, as file managers show a
    // video's length.
    delayLabel->setStyleSheet(QStringLiteral("QLabel{font-size:%1px;color:#ffffff;"
                                             "background-color:rgba(34,33,33,200);"
                                             "border-radius:2px;padding:0px %2px;}")
                                  .arg(scaled(10))
                                  .arg(scaled(3)));

    setPictureBackground(imageLabel, image.thumbnail);

    delButton->setNormalRect(1, 2, 15, 15);
    delButton->setHoverRect(1, 17, 15, 15);
    delButton->setPressedRect(1, 31, 15, 15);
    delButton->setDisabledRect(1, 2, 15, 15);
    delButton->setSprite(QPixmap(QStringLiteral(":/images/del.png")));
    delButton->setButtonMode(3);
    // A reused tile may have been released while the pointer was over it.
    delButton->hide();
}

void ImageItem::setSelected(bool on)
{
    frameWidget->setStyleSheet(frameSheet(on));
}

void ImageItem::showDelay(int delay)
{
    const QString text = tr("%1 s").arg(QLocale().toString(delay / 100.0, 'f', 2));
    // Set again for every tile at every layout: only a changed text costs a new size.
    if (text == delayLabel->text())
        return;
    delayLabel->setText(text);
    delayLabel->adjustSize();
    const QRect picture = imageLabel->geometry();
    delayLabel->move(picture.right() + 1 - scaled(2) - delayLabel->width(),
                     picture.bottom() + 1 - scaled(2) - delayLabel->height());
}

void ImageItem::release()
{
    inUse = false;
    setSelected(false);
    hide();
    image = StripImage();
    imageLabel->setPalette(QPalette());
}

void ImageItem::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    delButton->show();
}

void ImageItem::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    delButton->hide();
}

// A tile that moves away from under a resting pointer (a reorder) gets no leave event.
void ImageItem::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (delButton->isVisible() && !rect().contains(mapFromGlobal(QCursor::pos())))
        delButton->hide();
}

void ImageItem::delButton_slots()
{
    emit deleteItem(this);
}
