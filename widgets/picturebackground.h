#ifndef PICTUREBACKGROUND_H
#define PICTUREBACKGROUND_H

class QPixmap;
class QWidget;

// Paints the picture, stretched to the widget's current size, as the widget's background.
// It is scaled once here and kept as a palette brush, so painting never rescales.
void setPictureBackground(QWidget *widget, const QPixmap &picture);

#endif
