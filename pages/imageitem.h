#ifndef IMAGEITEM_H
#define IMAGEITEM_H

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class MyPushButton;

// What the strip keeps of one imported picture: never the picture itself, which the GIF
// job reads from its file.
struct StripImage
{
    QString path;
    QSize size;         // the picture's own size, which the GIF's canvas is made from
    QPixmap thumbnail;  // the tile's picture area, letterboxed
    int id = 0;         // tells apart two imports of the same file, for undo
    int delay = -1;     // hundredths of a second; -1: from the frame rate at its place
};

// One thumbnail tile of the image strip. Tiles are pooled: a released tile is hidden
// and taken back into use by a later import.
class ImageItem : public QWidget
{
    Q_OBJECT

public:
    explicit ImageItem(QWidget *parent = nullptr);

    // Places the children for the tile's current size and shows the image.
    void initUi();
    // Takes the tile out of the strip, hidden, and lets its thumbnail go.
    void release();
    // Shows the tile with a highlighted border, or with its plain one.
    void setSelected(bool on);
    // Shows how long the frame stays, in hundredths of a second.
    void showDelay(int delay);

    StripImage image;
    bool inUse = false;
    QWidget *frameWidget = nullptr;
    QLabel *numberLabel = nullptr;
    QLabel *imageLabel = nullptr;
    QLabel *nameLabel = nullptr;
    QLabel *delayLabel = nullptr;
    MyPushButton *delButton = nullptr;

signals:
    void deleteItem(ImageItem *item);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private slots:
    void delButton_slots();
};

#endif
