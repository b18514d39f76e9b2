#ifndef VIEWIMAGEWIDGET_H
#define VIEWIMAGEWIDGET_H

#include "pages/stripstate.h"
#include "pages/tileselection.h"

#include <QDateTime>
#include <QList>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QScrollArea;
class QUndoStack;
class ImageItem;
class GifCreaterThread;
struct FrameSource;
struct GifJobChoices;

// The scrolling strip of numbered thumbnail tiles, four to a row, and the GIF job
// that turns the tiles in use into one GIF. The tiles are the frames in order, each showing
// its delay: dragging moves the selected tiles, clicks and the arrow keys select them as in
// a file manager, and a right click offers Delete, Move to start, Move to end, Set delay…,
// Reverse, Undo and Redo. Every edit can be undone.
class ViewImageWidget : public QWidget, public StripStateHolder
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
    // The frames of the GIF, in order, each with the delay its tile shows.
    QList<FrameSource> jobFrames() const;
    // Where a tile dropped at a point of contentWidget goes: the position among the tiles
    // in use before which it is put, from 0 to inUseCount().
    int insertionIndexAt(const QPoint &contentPos) const;
    // The width of a column of tiles: a tile and a gap.
    int columnWidth() const;
    // Releases every tile, letting the thumbnails go, and forgets the edits; the widgets
    // stay for reuse.
    void releaseAll();

    // The selection, as a click with these modifiers on a tile changes it.
    void clickTile(ImageItem *item, Qt::KeyboardModifiers modifiers);
    // Selects only this tile; none when null.
    void selectTile(ImageItem *item);
    bool isSelected(ImageItem *item) const { return selection.contains(item); }
    TileSelection *tileSelection() { return &selection; }
    // The selected tiles in use, in frame order.
    QList<ImageItem *> selectedTiles() const;

    // The edits, each one step of undo. Moves the tiles, in their order, to position to
    // among the tiles that stay.
    void moveTiles(const QList<ImageItem *> &tiles, int to);
    void deleteTiles(const QList<ImageItem *> &tiles);
    // Reverses the selected tiles in their places when there are several, else all tiles.
    void reverseOrder();
    // Gives the tiles a delay of their own, in hundredths of a second.
    void setDelay(const QList<ImageItem *> &tiles, int delay);
    // The delay a tile in use shows, in hundredths of a second.
    int delayOf(const ImageItem *item) const;
    // Sets the rate every delay comes from, the delays set one by one included.
    void setFrameRate(int rate);
    int frameRate() const { return rate; }
    // True when an edit since the import would be lost by leaving.
    bool isEdited() const;

    StripState state() const override;
    // Shows these frames in this order, reusing the tiles that show them already.
    void showState(const StripState &state) override;

    // Starts the GIF job of the tiles in use, named from the moment, in the output folder.
    void createGif(const GifJobChoices &choices);
    // Asks a running GIF job to stop and waits for it; its end is then not reported.
    void cancelJob();

    QList<ImageItem *> items;
    QScrollArea *scrollArea = nullptr;
    QWidget *contentWidget = nullptr;
    GifCreaterThread *gifCreaterThread = nullptr;
    QUndoStack *undoStack = nullptr;
    // Ctrl+Z and Ctrl+Shift+Z; the page takes them, so they work wherever its focus is.
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    // The clock that names the output file; tests set a fixed moment.
    std::function<QDateTime()> currentTime = [] { return QDateTime::currentDateTime(); };

signals:
    void NoItemsignal();
    // An edit, its undo or its redo changed the tiles in use: their number, order or delays.
    void framesChanged();
    void frameRateChanged(int rate);
    // A tile was made (tiles are reused after that); the drag of tiles watches each.
    void tileMade(ImageItem *item);
    // The tiles were shown anew (an undo, leaving the page): a drag under way ends.
    void tilesReset();
    // A right click or the menu key on the strip, on the tiles it acts on (none: the strip).
    void menuRequested(const QList<ImageItem *> &tiles, const QPoint &globalPos);

protected:
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
    // A released tile, or a new one, at the end of items.
    ImageItem *takeFreeTile();
    // The delay the tile at this position shows, in hundredths of a second.
    int delayAt(const ImageItem *item, int position) const;
    void pushEdit(const StripState &after);
    // The positions of the tiles among the tiles in use, in increasing order.
    QList<int> placesOf(const QList<ImageItem *> &tiles) const;
    ImageItem *tileAt(const QPoint &pos) const;

    TileSelection selection;
    int rate = 10;
    int nextImageId = 1;
    bool jobStopped = false;
};

#endif
