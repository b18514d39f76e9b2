// Files dragged in from a file manager: each page takes the kinds it opens and names the rest;
// a drag that carries none of them is refused and changes nothing.
#include "ui/uitesthelpers.h"

class TestFileDrops : public PageTest
{
    Q_OBJECT

    QWidget *page(int number) const
    {
        return QList<QWidget *>{window->menuWidget, window->imagesWidget,
                                window->videoWidget}.at(number);
    }

    // The one page shown, or -1 while a page slides.
    int shownPage() const
    {
        int shown = -1;
        for (int number = 0; number < 3; ++number) {
            if (page(number)->isVisible())
                shown = shown == -1 ? number : -2;
        }
        return qMax(shown, -1);
    }

    // Drags the files of the folder over the page and drops them there; whether the page
    // took them as a copy.
    bool drop(QWidget *target, const QStringList &names)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << QUrl::fromLocalFile(temp.path() + "/" + name);
        data.setUrls(urls);
        const QPoint at(target->width() / 2, target->height() / 2);
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    }

private slots:
    void initTestCase()
    {
        startWindow();
        for (const char *name : {"c10.png", "c2.png"})
            QVERIFY(flatFrame(30, 20, qRgb(200, 10, 10)).save(temp.path() + "/" + name));
        QVERIFY(encodeFrames(temp.path() + "/clip.gif", {flatFrame(20, 20, qRgb(9, 9, 9))},
                             QSize(20, 20)));
        QVERIFY(writeFile(temp.path() + "/junk.mp4", "not a video"));
        QVERIFY(writeFile(temp.path() + "/notes.txt", "text"));
        window->menuWidget->savePath = temp.path();
    }

    void cleanupTestCase() { stopWindow(); }

    void dropsOpenTheUsableFiles_data()
    {
        QTest::addColumn<int>("onPage");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("pageAfter");
        QTest::addColumn<QStringList>("tiles");
        QTest::addColumn<QStringList>("dialogs");
        const QStringList none;
        const QStringList completed{"completed, do you want to open the folder? [Cancel|Open]"};
        const QStringList notVideo{"Failed, Please check the video file. [OK]"};
        const QStringList naturalOrder{"c2.png", "c10.png"};
        // What the page does not take is named.
        QTest::newRow("start: images") << 0 << QStringList{"c10.png", "notes.txt", "c2.png"}
                                       << true << 1 << naturalOrder
                                       << QStringList{"Not opened:\nnotes.txt: not an image, "
                                                      "GIF or video [OK]"};
        QTest::newRow("start: GIF") << 0 << QStringList{"clip.gif"} << true << 0 << none
                                    << completed;
        QTest::newRow("start: video") << 0 << QStringList{"junk.mp4"} << true << 2 << none
                                      << notVideo;
        QTest::newRow("start: nothing usable") << 0 << QStringList{"notes.txt", "gone.png"}
                                               << false << 0 << none << none;
        QTest::newRow("images: the images") << 1 << QStringList{"c10.png", "clip.gif", "c2.png"}
                                            << true << 1 << naturalOrder
                                            << QStringList{"Not opened:\nclip.gif: not a still "
                                                           "image [OK]"};
        QTest::newRow("images: no image") << 1 << QStringList{"clip.gif", "junk.mp4"} << false
                                          << 1 << none << none;
        QTest::newRow("video: the video") << 2 << QStringList{"c2.png", "junk.mp4"} << true << 2
                                          << none << notVideo;
        QTest::newRow("video: no video") << 2 << QStringList{"c2.png"} << false << 2 << none
                                         << none;
    }

    void dropsOpenTheUsableFiles()
    {
        QFETCH(int, onPage);
        QFETCH(QStringList, files);
        QFETCH(int, pageAfter);
        QFETCH(QStringList, tiles);
        QFETCH(QStringList, dialogs);
        window->switchPage(onPage);
        QTRY_COMPARE(shownPage(), onPage);
        answerer.dialogs.clear();

        QTEST(drop(page(onPage), files), "taken");
        QTRY_COMPARE(shownPage(), pageAfter);
        QTRY_COMPARE(tileNames(window), tiles);
        QTRY_COMPARE(answerer.dialogs, dialogs);
        QTRY_VERIFY(window->loadingWidget->isHidden());
    }
};

LUMORRA_UI_TEST_MAIN(TestFileDrops)
#include "tst_filedrops.moc"
