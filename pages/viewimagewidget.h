#ifndef VIEWIMAGEWIDGET_H
#define VIEWIMAGEWIDGET_H

#include <QDateTime>
#include <QList>
#include <QPixmap>
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

    // Loads the file and shows it as the last tile; unreadable files are skipped.
    void addImage(const QString &path);
    // Shows an image already loaded from path as the last tile.
    void addLoadedImage(const QString &path, const QPixmap &pixmap);
    void relayout();
    int inUseCount() const;
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
    bool jobStopped = false;
};

#endif
