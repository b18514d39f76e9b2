// Settings, remembered folders, the default output folder, the temporary folder, the
// progress text and the file-chooser seam.
#include "app/filechooser.h"
#include "app/progresstext.h"
#include "app/services.h"
#include "ui/uitestmain.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

class TestServices : public QObject
{
    Q_OBJECT

    QTemporaryDir *home = nullptr;

    QString homePath() const { return home->path(); }

private slots:
    void init()
    {
        home = new QTemporaryDir;
        QVERIFY(home->isValid());
        qputenv("HOME", home->path().toLocal8Bit());
        QSettings(QStringLiteral("Tessmark"), QStringLiteral("Lumorra")).clear();
    }

    void cleanup()
    {
        delete home;
        home = nullptr;
    }

    void defaultFolderInDocuments()
    {
        QVERIFY(QDir(homePath()).mkdir("Documents"));
        const QString expected = homePath() + "/Documents/Tessmark/Lumorra";
        QCOMPARE(folderFromSettings("SavePath"), expected);
        QVERIFY(QDir(expected).exists());
        QVERIFY(readSetting("SavePath").isEmpty());
        // Asking again finds the folders already there.
        QCOMPARE(folderFromSettings("addImagesPath"), expected);
    }

    void defaultFolderInMyDocuments()
    {
        QVERIFY(QDir(homePath()).mkdir("My Documents"));
        const QString expected = homePath() + "/My Documents/Tessmark/Lumorra";
        QCOMPARE(folderFromSettings("SavePath"), expected);
        QVERIFY(QDir(expected).exists());
        QVERIFY(!QDir(homePath() + "/Documents").exists());
    }

    void defaultFolderCreatesDocuments()
    {
        const QString expected = homePath() + "/Documents/Tessmark/Lumorra";
        QCOMPARE(folderFromSettings("addGIFPath"), expected);
        QVERIFY(QDir(expected).exists());
    }

    void storedFolderThatExistsIsReturnedAsStored()
    {
        const QString stored = homePath() + "/";
        writeSetting("addVideoPath", stored);
        QCOMPARE(readSetting("addVideoPath"), stored);
        QCOMPARE(folderFromSettings("addVideoPath"), stored);
        QVERIFY(!QDir(homePath() + "/Documents").exists());
    }

    void storedFolderThatIsGoneGivesTheDefault()
    {
        writeSetting("SavePath", homePath() + "/gone");
        QCOMPARE(folderFromSettings("SavePath"), homePath() + "/Documents/Tessmark/Lumorra");
        QCOMPARE(readSetting("SavePath"), homePath() + "/gone");
    }

    void tempFolderIsStable()
    {
        const QString expected = QDir::tempPath() + "/Tessmark/temp";
        QCOMPARE(tempFolder(), expected);
        QVERIFY(QDir(expected).exists());
        QCOMPARE(tempFolder(), expected);
        QCOMPARE(QDir(QDir::tempPath() + "/Tessmark").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"temp"});
    }

    void progressTextHasTwoDecimals()
    {
        QCOMPARE(progressText(4567), QStringLiteral("45.67% "));
        QCOMPARE(progressText(5), QStringLiteral("00.05% "));
        QCOMPARE(progressText(0), QStringLiteral("00.00% "));
        QCOMPARE(progressText(10000), QStringLiteral("100.00% "));
    }

    void fileChooserAnswersFromTheSeam()
    {
        QString askedDir;
        FileChooser::answerOpenFile([&](const QString &, const QString &dir, const QString &) {
            askedDir = dir;
            return QStringLiteral("/x/a.gif");
        });
        QCOMPARE(FileChooser::openFile(nullptr, "c", "/x", "*.gif"), QStringLiteral("/x/a.gif"));
        QCOMPARE(askedDir, QStringLiteral("/x"));
        FileChooser::answerOpenFile({});

        FileChooser::answerOpenFiles([](const QString &, const QString &, const QString &) {
            return QStringList{"/x/1.png", "/x/2.png"};
        });
        QCOMPARE(FileChooser::openFiles(nullptr, "c", "/x", "*.png").size(), 2);
        FileChooser::answerOpenFiles({});

        FileChooser::answerDirectory([](const QString &, const QString &) { return QString(); });
        QVERIFY(FileChooser::existingDirectory(nullptr, "c", "/x").isEmpty());
        FileChooser::answerDirectory({});
    }
};

LUMORRA_UI_TEST_MAIN(TestServices)

#include "tst_services.moc"
