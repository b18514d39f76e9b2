#include "widgets/picturebackground.h"

#include <QPalette>
#include <QPixmap>
#include <QWidget>

void setPictureBackground(QWidget *widget, const QPixmap &picture)
{
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(picture.scaled(widget->size(), Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
