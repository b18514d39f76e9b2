// The start page: the output folder row and its chooser.
#include "ui/uitesthelpers.h"

class TestStartPage : public PageTest
{
    Q_OBJECT

    GifMenuWidget *page = nullptr;

    // Clicks "..." with the chooser answering answer; returns the folder it started in.
    QString chooseFolder(const QString &answer)
    {
        QString askedFolder;
        FileChooser::answerDirectory([&](const QString &caption, const QString &dir) {
            askedFolder = caption == "Select Save Directory" ? dir : "wrong caption";
            return answer;
        });
        QTest::mouseClick(page->outputSelectButton, Qt::LeftButton);
        FileChooser::answerDirectory({});
        return askedFolder;
    }

private slots:
    void initTestCase()
    {
        startWindow();
        page = window->menuWidget;
    }

    void cleanupTestCase() { stopWindow(); }

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
        QCOMPARE(readSetting(Setting::savePath), chosen);

        // Cancelled: the chooser started in the remembered folder and nothing changes.
        QCOMPARE(chooseFolder(QString()), chosen);
        QCOMPARE(page->savePath, chosen);
        QCOMPARE(readSetting(Setting::savePath), chosen);
        // The next start reads it back.
        QCOMPARE(GifMenuWidget().savePath, chosen);

        // A language change shows the folder chosen during this run; "Open" shows it.
        window->retranslateAll();
        QCOMPARE(page->savePathLabel->text(), chosen);
        QTest::mouseClick(page->outputOpenButton, Qt::LeftButton);
        QTRY_COMPARE(fileText(opened), "1 " + chosen + "\n");
    }
};

LUMORRA_UI_TEST_MAIN(TestStartPage)
#include "tst_startpage.moc"
