#ifndef IMAGEITEM_H
#define IMAGEITEM_H

#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class MyPushButton;

// One thumbnail tile of the image strip. Tiles are pooled: a released tile is hidden
// and taken back into use by a later import.
class ImageItem : public QWidget
{
    Q_OBJECT

public:
    explicit ImageItem(QWidget *parent = nullptr);

    // Places the children for the tile's current size and shows imagePath and pixmap.
    void initUi();

    QString imagePath;
    QPixmap pixmap;
    bool inUse = false;
    QWidget *frameWidget = nullptr;
    QLabel *numberLabel = nullptr;
    QLabel *imageLabel = nullptr;
    QLabel *nameLabel = nullptr;
    MyPushButton *delButton = nullptr;

signals:
    void deleteItem(ImageItem *item);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private slots:
    void delButton_slots();
};

#endif
