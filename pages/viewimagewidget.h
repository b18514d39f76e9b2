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
class TileDrag;
struct GifJobChoices;

// The scrolling strip of numbered thumbnail tiles, four to a row, and the GIF job
// that turns the tiles in use into one GIF. The tiles are the frames in order: dragging a
// tile moves it, a click or the arrow keys select it for the Delete key, and a right click
// offers Delete, Move to start, Move to end and Reverse.
class ViewImageWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TilesPerRow = 4;

    explicit ViewImageWidget(QWidget *parent = nullptr);
    ~ViewImageWidget() override;

    // Shows an imported picture as the last tile: its file, its full size and its
    // thumbnail, made at thumbnailSize().
    void addLoadedImage(const QString &path, const QSize &size, const QImage &thumbnail);
    // The size of a tile's picture area.
    QSize thumbnailSize() const;
    void relayout();
    int inUseCount() const;
    // The tiles in use, in frame order.
    QList<ImageItem *> tilesInUse() const;
    // The files of the frames, in order.
    QStringList framePaths() const;
    // Moves a tile in use to position to (0-based) among the tiles in use.
    void moveTile(ImageItem *item, int to);
    void reverseOrder();
    void selectTile(ImageItem *item);
    // Where a tile dropped at a point of contentWidget goes: the position among the tiles
    // in use before which it is put, from 0 to inUseCount().
    int insertionIndexAt(const QPoint &contentPos) const;
    // The width of a column of tiles: a tile and a gap.
    int columnWidth() const;
    // Releases every tile, letting the thumbnails go; the widgets stay for reuse.
    void releaseAll();
    // Starts the GIF job of the tiles in use, named from the moment, in the output folder.
    void createGif(const GifJobChoices &choices);
    // Asks a running GIF job to stop and waits for it; its end is then not reported.
    void cancelJob();

    QList<ImageItem *> items;
    QScrollArea *scrollArea = nullptr;
    QWidget *contentWidget = nullptr;
    GifCreaterThread *gifCreaterThread = nullptr;
    // The clock that names the output file; tests set a fixed moment.
    std::function<QDateTime()> currentTime = [] { return QDateTime::currentDateTime(); };

signals:
    void NoItemsignal();

protected:
    // Arrow keys, Home and End move the selection among the tiles; with Ctrl they move the
    // selected tile. Delete deletes the selected tile.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private slots:
    void deleteImageItem_slots(ImageItem *item);
    void gifCreaterThread_Finished();
    void gifCreaterThread_updateprogress(int progress);

private:
    // Between the tiles and around them.
    int gap() const;
    int tileWidth() const;
    int tileHeight() const;
    void setOrder(const QList<ImageItem *> &inUse);
    ImageItem *tileAt(const QPoint &pos) const;
    void deleteSelected();
    bool stepSelection(const QKeyEvent *event);

    TileDrag *tileDrag = nullptr;
    ImageItem *selectedItem = nullptr;
    bool jobStopped = false;
};

#endif
