#ifndef VIEWIMAGEWIDGET_H
#define VIEWIMAGEWIDGET_H

#include <QDateTime>
#include <QList>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

class QScrollArea;
class ImageItem;
class GifCreaterThread;

// The scrolling strip of numbered thumbnail tiles, four to a row, and the GIF job
// that turns the tiles in use into one GIF.
class ViewImageWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ViewImageWidget(QWidget *parent = nullptr);
    ~ViewImageWidget() override;

    // Shows an imported picture as the last tile: its file, its full size and its
    // thumbnail, made at thumbnailSize().
    void addLoadedImage(const QString &path, const QSize &size, const QImage &thumbnail);
    // The size of a tile's picture area.
    QSize thumbnailSize() const;
    void relayout();
    int inUseCount() const;
    // Releases every tile, letting the thumbnails go; the widgets stay for reuse.
    void releaseAll();
    void createGif();
    // Asks a running GIF job to stop and waits for it; its end is then not reported.
    void cancelJob();

    QList<ImageItem *> items;
    QScrollArea *scrollArea = nullptr;
    QWidget *contentWidget = nullptr;
    GifCreaterThread *gifCreaterThread = nullptr;
    // Hundredths of a second per frame.
    int frameDelay = 10;
    // The clock that names the output file; tests set a fixed moment.
    std::function<QDateTime()> currentTime = [] { return QDateTime::currentDateTime(); };

signals:
    void NoItemsignal();

private slots:
    void deleteImageItem_slots(ImageItem *item);
    void gifCreaterThread_Finished();
    void gifCreaterThread_updateprogress(int progress);

private:
    int tileWidth() const;

    bool jobStopped = false;
};

#endif
