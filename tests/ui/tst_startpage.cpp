// The start page: geometry, the output folder row and its chooser.

#include "ui/uitesthelpers.h"

#include "app/filechooser.h"
#include "app/services.h"
#include "app/uiscale.h"
#include "pages/gifmenuwidget.h"
#include "widgets/mytempbutton2.h"

#include <QTemporaryDir>

class TestStartPage : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    MainMainWidget *window = nullptr;
    GifMenuWidget *page = nullptr;

    // Clicks "..." with the chooser answering answer; returns the folder it started in.
    QString chooseFolder(const QString &answer)
    {
        QString askedCaption, askedFolder;
        FileChooser::answerDirectory([&](const QString &caption, const QString &dir) {
            askedCaption = caption;
            askedFolder = dir;
            return answer;
        });
        QTest::mouseClick(page->outputSelectButton, Qt::LeftButton);
        FileChooser::answerDirectory({});
        return askedCaption == "Select Save Directory" ? askedFolder : QString();
    }

private slots:
    void initTestCase()
    {
        window = new MainMainWidget;
        window->show();
        page = window->menuWidget;
    }

    void cleanupTestCase() { delete window; }

    void geometryAtScaleOne()
    {
        QCOMPARE(uiScale, 1.0f);
        QCOMPARE(page->size(), QSize(598, 619));
        QCOMPARE(page->gifPhotoButton->geometry(), QRect(189, 80, 220, 35));
        QCOMPARE(page->gifVideoButton->geometry(), QRect(189, 180, 220, 35));
        QCOMPARE(page->gifParseButton->geometry(), QRect(189, 280, 220, 35));
        QCOMPARE(page->saveToLabel->geometry(), QRect(30, 529, 200, 30));
        QCOMPARE(page->savePathLabel->geometry(), QRect(30, 559, 369, 30));
        QCOMPARE(page->outputSelectButton->geometry(), QRect(398, 559, 40, 30));
        QCOMPARE(page->outputOpenButton->geometry(), QRect(448, 559, 120, 30));
        QVERIFY(page->gifPhotoButton->styleSheet().contains("font-weight:700"));
        QVERIFY(!page->outputOpenButton->styleSheet().contains("font-weight"));
    }

    void folderChooserSetsSavePath()
    {
        const QString defaultFolder = QDir::homePath() + "/Documents/Tessmark/Lumorra";
        QCOMPARE(page->savePath, defaultFolder);
        QCOMPARE(page->savePathLabel->text(), defaultFolder);

        const QString chosen = temp.path() + "/My GIFs";
        QDir().mkpath(chosen);
        QCOMPARE(chooseFolder(chosen), defaultFolder);
        QCOMPARE(page->savePath, chosen);
        QCOMPARE(page->savePathLabel->text(), chosen);
        QCOMPARE(readSetting("SavePath"), chosen);

        // Cancelled: the chooser started in the remembered folder and nothing changes.
        QCOMPARE(chooseFolder(QString()), chosen);
        QCOMPARE(page->savePath, chosen);
        QCOMPARE(readSetting("SavePath"), chosen);

        // A language change shows the folder chosen during this run.
        window->retranslateAll();
        QCOMPARE(page->savePathLabel->text(), chosen);
    }

    void openSavedFolderShowsIt()
    {
        const QString record = installFakeFolderOpener(temp.path() + "/bin");
        QTest::mouseClick(page->outputOpenButton, Qt::LeftButton);
        QTRY_COMPARE(fileText(record), "1 " + page->savePath + "\n");
    }
};

LUMORRA_UI_TEST_MAIN(TestStartPage)
#include "tst_startpage.moc"
