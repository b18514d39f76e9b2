// The image strip on the images page: layout, pooled tiles, deletion and import.

#include "ui/uitesthelpers.h"

#include "app/filechooser.h"
#include "app/services.h"
#include "app/uiscale.h"
#include "pages/gifimageswidget.h"
#include "pages/gifmenuwidget.h"
#include "pages/imageitem.h"
#include "pages/viewimagewidget.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton2.h"

#include <QComboBox>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

struct TileState
{
    QString path;
    QString number;
    QPoint pos;
    bool operator==(const TileState &o) const
    {
        return path == o.path && number == o.number && pos == o.pos;
    }
};

}

class TestImageStrip : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    MainMainWidget *window = nullptr;
    GifImagesWidget *page = nullptr;
    ViewImageWidget *strip = nullptr;

    QString image(const QString &name, int w = 40, int h = 30)
    {
        const QString path = temp.path() + "/" + name;
        if (!QFileInfo::exists(path))
            blockImage(w, h, qRgb(qHash(name) % 256, 90, 160), qRgb(20, 20, 20)).save(path);
        return path;
    }

    QList<TileState> tilesInUse() const
    {
        QList<TileState> tiles;
        for (const ImageItem *item : strip->items) {
            if (item->inUse)
                tiles.append({item->imagePath, item->numberLabel->text(), item->pos()});
        }
        return tiles;
    }

    // Hovering shows the tile's delete button; clicking it deletes the tile.
    void deleteTile(ImageItem *item)
    {
        sendEvent(item, QEvent::Enter);
        QVERIFY(item->delButton->isVisible());
        QTest::mouseClick(item->delButton, Qt::LeftButton);
    }

    void importThroughPage(const QStringList &paths)
    {
        FileChooser::answerOpenFiles(
            [paths](const QString &, const QString &, const QString &) { return paths; });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);
        QTRY_VERIFY(window->loadingWidget->isHidden());
    }

private slots:
    void initTestCase()
    {
        window = new MainMainWidget;
        window->show();
        page = window->imagesWidget;
        strip = page->viewImageWidget;
    }

    void cleanupTestCase()
    {
        FileChooser::answerOpenFiles({});
        delete window;
    }

    void init()
    {
        window->switchPage(1);
    }

    void deletionReusesTilesAndMatchesFreshStrip()
    {
        QStringList paths;
        for (int i = 0; i < 5; ++i)
            paths << image(QString("p%1.png").arg(i));
        for (const QString &path : paths)
            strip->addImage(path);
        const int poolSize = strip->items.size();
        QCOMPARE(poolSize, 5);

        ImageItem *second = nullptr;
        for (ImageItem *item : strip->items)
            if (item->inUse && item->imagePath == paths.at(1))
                second = item;
        const QPoint secondPos = second->pos();
        deleteTile(second);
        QVERIFY(second->isHidden());
        QList<TileState> tiles = tilesInUse();
        QCOMPARE(tiles.size(), 4);
        QCOMPARE(tiles.at(1).path, paths.at(2));
        QCOMPARE(tiles.at(1).pos, secondPos);
        QCOMPARE(tiles.at(3).number, QStringLiteral("4"));

        // On a fresh strip the deleted widget is the only released one: the import reuses it.
        strip->addImage(paths.at(1));
        QCOMPARE(strip->items.size(), poolSize);
        QCOMPARE(strip->items.last(), second);
        QCOMPARE(second->imagePath, paths.at(1));
        QCOMPARE(second->numberLabel->text(), QStringLiteral("5"));
        QVERIFY(!second->delButton->isVisible());

        for (ImageItem *item : strip->items) {
            if (item->inUse) {
                deleteTile(item);
                break;
            }
        }
        strip->addImage(paths.at(0));
        const QList<TileState> afterEdits = tilesInUse();

        window->switchPage(1);
        QCOMPARE(strip->inUseCount(), 0);
        for (const TileState &tile : afterEdits)
            strip->addImage(tile.path);
        QCOMPARE(tilesInUse(), afterEdits);
        QCOMPARE(strip->items.size(), poolSize);
    }

    void layoutFigures()
    {
        QCOMPARE(uiScale, 1.0f);
        QCOMPARE(strip->geometry(), QRect(10, 10, 458, 599));
        QCOMPARE(strip->scrollArea->geometry(), QRect(1, 1, 456, 597));
        QCOMPARE(page->addPhotosButton->geometry(), QRect(483, 30, 100, 30));
        QCOMPARE(page->createGifButton->geometry(), QRect(483, 80, 100, 30));
        QCOMPARE(page->framepsComboBox->geometry(), QRect(483, 130, 100, 30));
        QCOMPARE(page->backupmeuButton->geometry(), QRect(483, 579, 100, 30));

        for (int i = 0; i < 5; ++i)
            strip->addImage(image(QString("wide%1.png").arg(i), 300, 60));
        const int columns[] = {6, 120, 234, 348};
        for (int i = 0; i < 5; ++i) {
            const ImageItem *item = strip->items.at(i);
            QCOMPARE(item->size(), QSize(99, 123));
            QCOMPARE(item->pos(), QPoint(columns[i % 4], i < 4 ? 12 : 147));
            QCOMPARE(item->numberLabel->text(), QString::number(i + 1));
        }
        const ImageItem *first = strip->items.first();
        QCOMPARE(first->imageLabel->geometry(), QRect(5, 10, 89, 89));
        QCOMPARE(first->nameLabel->geometry(), QRect(5, 99, 89, 18));
        QCOMPARE(first->nameLabel->text(), QStringLiteral("wide0.png"));
        // The wide image is squeezed into the square, not letterboxed.
        QCOMPARE(first->imageLabel->palette().window().texture().size(), QSize(89, 89));
        // Two short rows (282) stay within the viewport's height.
        QCOMPARE(strip->contentWidget->height(), 597);

        for (int i = 5; i < 17; ++i)
            strip->addImage(image(QString("wide%1.png").arg(i), 300, 60));
        QCOMPARE(strip->items.at(16)->pos(), QPoint(6, 12 + 4 * 135));
        QCOMPARE(strip->contentWidget->height(), 12 + 5 * 135);
        QCOMPARE(strip->contentWidget->width(), 456);
    }

    void lastDeletionSignalsOnce()
    {
        importThroughPage({image("a.png"), image("b.png")});
        QVERIFY(page->createGifButton->tileEnabled);
        QSignalSpy noItems(strip, SIGNAL(NoItemsignal()));
        const QList<ImageItem *> items = strip->items;
        for (ImageItem *item : items)
            if (item->inUse)
                deleteTile(item);
        QCOMPARE(noItems.count(), 1);
        QVERIFY(!page->createGifButton->tileEnabled);
        QVERIFY(!page->createGifButton->isEnabled());
    }

    void importKeepsDuplicatesAndSkipsUnreadable()
    {
        const QString junk = temp.path() + "/junk.png";
        QVERIFY(writeFile(junk, "not an image"));
        const QString a = image("a.png");
        QString caption, filter;
        FileChooser::answerOpenFiles([&](const QString &c, const QString &, const QString &f) {
            caption = c;
            filter = f;
            return QStringList{a, junk, a};
        });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);

        QCOMPARE(caption, QStringLiteral("Add Image Files"));
        QCOMPARE(filter, QStringLiteral("Image (*.jpg *.png *.jpeg *.bmp)"));
        const QList<TileState> tiles = tilesInUse();
        QCOMPARE(tiles.size(), 2);
        QCOMPARE(tiles.at(0).path, a);
        QCOMPARE(tiles.at(1).path, a);
        QCOMPARE(readSetting("addImagesPath"), temp.path() + "/");
        QVERIFY(page->createGifButton->tileEnabled);

        // A cancelled chooser changes nothing.
        importThroughPage({});
        QCOMPARE(tilesInUse(), tiles);

        // Only unreadable files: the button keeps the state the tiles give it.
        window->switchPage(1);
        importThroughPage({junk});
        QCOMPARE(strip->inUseCount(), 0);
        QVERIFY(!page->createGifButton->tileEnabled);
    }

    void largeImportShowsCountAndKeepsOrder()
    {
        QStringList paths;
        for (int i = 0; i < 12; ++i)
            paths << image(QString("big%1.png").arg(i), 900 + 10 * i, 700);
        paths.insert(5, temp.path() + "/missing.png");
        FileChooser::answerOpenFiles(
            [paths](const QString &, const QString &, const QString &) { return paths; });
        QTest::mouseClick(page->addPhotosButton, Qt::LeftButton);
        QVERIFY(window->loadingWidget->isVisible());
        QCOMPARE(overlayText(window), QStringLiteral("Loading... 0/13"));

        QTRY_COMPARE(overlayText(window), QStringLiteral("Loading... 13/13"));
        QTRY_VERIFY(window->loadingWidget->isHidden());
        paths.removeAt(5);
        const QList<TileState> tiles = tilesInUse();
        QCOMPARE(tiles.size(), 12);
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(tiles.at(i).path, paths.at(i));
            QCOMPARE(tiles.at(i).number, QString::number(i + 1));
        }
        QCOMPARE(strip->items.last()->pixmap.size(), QSize(1010, 700));
        QVERIFY(page->createGifButton->tileEnabled);
    }

    void backupAndReentryEmptyTheStrip()
    {
        importThroughPage({image("a.png")});
        QVERIFY(page->createGifButton->tileEnabled);
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTRY_VERIFY(page->isHidden());
        QCOMPARE(strip->inUseCount(), 1); // kept until the page is entered again

        QTest::mouseClick(window->menuWidget->gifPhotoButton, Qt::LeftButton);
        QVERIFY(page->isVisible());
        QCOMPARE(strip->inUseCount(), 0);
        for (const ImageItem *item : strip->items)
            QVERIFY(item->isHidden());
        QVERIFY(!page->createGifButton->tileEnabled);
        QCOMPARE(page->createGifButton->styleSheet(), page->createGifButton->disabledStyle);
    }

    void frameRateSetsDelayAndLanguageResetsIt()
    {
        QComboBox *box = page->framepsComboBox;
        QCOMPARE(box->count(), 4);
        QCOMPARE(box->currentText(), QStringLiteral("10Frame/s"));
        QCOMPARE(strip->frameDelay, 10);
        const int delays[] = {100, 50, 20, 10};
        for (int i = 0; i < 4; ++i) {
            box->setCurrentIndex(i);
            QCOMPARE(strip->frameDelay, delays[i]);
        }
        box->setCurrentIndex(2);
        window->retranslateAll();
        QCOMPARE(box->currentIndex(), 3);
        QCOMPARE(strip->frameDelay, 10);
    }
};

LUMORRA_UI_TEST_MAIN(TestImageStrip)
#include "tst_imagestrip.moc"
