// The images page's test fixture: a window on the images page, pictures made on demand,
// and the strip's tiles read back as text.
#ifndef IMAGESTRIPTEST_H
#define IMAGESTRIPTEST_H

#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"

class ImageStripTest : public PageTest
{
protected:
    GifImagesWidget *page = nullptr;
    ViewImageWidget *strip = nullptr;

    QString image(const QString &name, int w = 40, int h = 30)
    {
        const QString path = temp.path() + "/" + name;
        if (!QFileInfo::exists(path))
            blockImage(w, h, qRgb(qHash(name) % 256, 90, 160), qRgb(20, 20, 20)).save(path);
        return path;
    }

    // "file number x,y" of every tile in use, in strip order.
    QStringList tiles() const
    {
        QStringList tiles;
        for (const ImageItem *item : strip->items) {
            if (item->inUse)
                tiles << QStringLiteral("%1 %2 %3,%4")
                             .arg(QFileInfo(item->image.path).fileName(),
                                  item->numberLabel->text())
                             .arg(item->x())
                             .arg(item->y());
        }
        return tiles;
    }

    ImageItem *tile(int position) const { return strip->tilesInUse().at(position); }

    // The base names of the tiles, in order, checking that their numbers follow.
    QString names() const
    {
        QStringList names;
        for (const ImageItem *item : strip->tilesInUse()) {
            names << QFileInfo(item->image.path).baseName();
            if (item->numberLabel->text() != QString::number(names.size()))
                names.last() += "#" + item->numberLabel->text();
        }
        return names.join(' ');
    }

    // Drags the tile at from with the mouse onto the gap before the tile at to; the bar
    // that marks the place stands in that gap.
    void dragTile(int from, int to)
    {
        ImageItem *moving = tile(from);
        const QRect target = tile(to)->geometry();
        const QPoint gap = moving->mapFrom(strip->contentWidget, target.topLeft() + QPoint(-2, 40));
        QTest::mousePress(moving, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        dragTo(moving, QPoint(40, 40));
        dragTo(moving, gap);
        QWidget *mark = nullptr;
        for (QWidget *child : strip->contentWidget->findChildren<QWidget *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && !qobject_cast<ImageItem *>(child))
                mark = child;
        }
        QVERIFY(mark);
        QVERIFY(mark->geometry().right() < target.x() && mark->x() > target.x() - 20);
        QCOMPARE(mark->y(), target.y());
        QTest::mouseRelease(moving, Qt::LeftButton, Qt::NoModifier, gap);
        QVERIFY(!mark->isVisible());
    }

    // Right-clicks at a point of a widget in the strip and chooses the menu's entry.
    void chooseFromMenu(QWidget *at, const QString &text)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                at->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(at, &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (action->text() == text && action->isEnabled())
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
        QVERIFY2(!menu->isVisible(), qPrintable(text + " is not in the menu"));
    }

    // "10Frame/s", after 1, 2 and 5.
    void chooseTenFramesASecond()
    {
        QTest::keyClick(page->framepsComboBox, Qt::Key_Home);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(page->framepsComboBox, Qt::Key_Down);
        QCOMPARE(page->jobChoices.frameRate, 10);
    }

    // The delays the tiles show, in order.
    QString delays() const
    {
        QStringList shown;
        for (const ImageItem *item : strip->tilesInUse())
            shown << item->delayLabel->text();
        return shown.join(", ");
    }

    // Hovering shows the tile's delete button; clicking it deletes the tile.
    void deleteTile(ImageItem *item)
    {
        sendEvent(item, QEvent::Enter);
        QVERIFY(item->delButton->isVisible());
        QTest::mouseClick(item->delButton, Qt::LeftButton);
    }

    void startImagesPage()
    {
        startWindow();
        page = window->imagesWidget;
        strip = page->viewImageWidget;
    }
};

#endif
