// The start page: geometry, the output folder row and its chooser.

#include "pagetesthelpers.h"

#include "app/appdirpath.h"
#include "app/filechooser.h"
#include "app/uiscale.h"
#include "pages/gifmenuwidget.h"
#include "widgets/mytempbutton2.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

class TestStartPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void geometryAtScaleOne();
    void chosenFolderBecomesSavePath();
    void cancelledChooserChangesNothing();
    void openSavedFolderShowsIt();

private:
    QTemporaryDir temp;
    MainMainWidget *window = nullptr;
    GifMenuWidget *page = nullptr;
};

void TestStartPage::initTestCase()
{
    appDirPath = QCoreApplication::applicationDirPath();
    window = new MainMainWidget;
    window->show();
    page = window->menuWidget;
}

void TestStartPage::cleanupTestCase()
{
    delete window;
}

void TestStartPage::geometryAtScaleOne()
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
    QCOMPARE(page->outputSelectButton->text(), QStringLiteral("..."));
    QVERIFY(page->gifPhotoButton->styleSheet().contains("font-weight:700"));
    QVERIFY(!page->outputOpenButton->styleSheet().contains("font-weight"));
}

void TestStartPage::chosenFolderBecomesSavePath()
{
    const QString defaultFolder = QDir::homePath() + "/Documents/Tessmark/Lumorra";
    QCOMPARE(page->savePath, defaultFolder);
    QCOMPARE(page->savePathLabel->text(), defaultFolder);

    const QString chosen = temp.path() + "/My GIFs";
    QDir().mkpath(chosen);
    QString askedCaption, askedFolder;
    FileChooser::answerDirectory([&](const QString &caption, const QString &dir) {
        askedCaption = caption;
        askedFolder = dir;
        return chosen;
    });
    QTest::mouseClick(page->outputSelectButton, Qt::LeftButton);
    FileChooser::answerDirectory({});

    QCOMPARE(askedCaption, QStringLiteral("Select Save Directory"));
    QCOMPARE(askedFolder, defaultFolder);
    QCOMPARE(page->savePath, chosen);
    QCOMPARE(page->savePathLabel->text(), chosen);
    QCOMPARE(storedSetting("SavePath"), chosen);

    // A language change shows the folder chosen during this run.
    window->retranslateAll();
    QCOMPARE(page->savePathLabel->text(), chosen);
}

void TestStartPage::cancelledChooserChangesNothing()
{
    const QString before = page->savePath;
    const QString stored = storedSetting("SavePath");
    QString askedFolder;
    FileChooser::answerDirectory([&](const QString &, const QString &dir) {
        askedFolder = dir;
        return QString();
    });
    QTest::mouseClick(page->outputSelectButton, Qt::LeftButton);
    FileChooser::answerDirectory({});

    QCOMPARE(askedFolder, stored); // the chooser starts in the remembered folder
    QCOMPARE(page->savePath, before);
    QCOMPARE(page->savePathLabel->text(), before);
    QCOMPARE(storedSetting("SavePath"), stored);
}

void TestStartPage::openSavedFolderShowsIt()
{
    const QString record = installFakeFolderOpener(temp.path() + "/bin");
    QTest::mouseClick(page->outputOpenButton, Qt::LeftButton);
    QTRY_COMPARE(readRecord(record), "1 " + page->savePath + "\n");
}

PAGE_TEST_MAIN(TestStartPage)
#include "tst_startpage.moc"
