// Settings, remembered folders, the default output folder and the temporary folder.
#include "ui/uitesthelpers.h"

class TestServices : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid());
        qputenv("HOME", home->path().toLocal8Bit());
        QSettings(QStringLiteral("Tessmark"), QStringLiteral("Lumorra")).clear();
    }

    void cleanup() { home.reset(); }

    void defaultFolder_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("documents");
        QTest::newRow("Documents") << "Documents" << "Documents";
        QTest::newRow("My Documents only") << "My Documents" << "My Documents";
        QTest::newRow("neither is created") << "" << "Documents";
    }

    void defaultFolder()
    {
        QFETCH(QString, existing);
        QFETCH(QString, documents);
        if (!existing.isEmpty())
            QVERIFY(QDir(home->path()).mkdir(existing));
        const QString expected = home->path() + "/" + documents + "/Tessmark/Lumorra";
        QCOMPARE(folderFromSettings("SavePath"), expected);
        QVERIFY(QDir(expected).exists());
        QVERIFY(readSetting("SavePath").isEmpty());
        // Asking again finds the folders already there.
        QCOMPARE(folderFromSettings("addImagesPath"), expected);
        QCOMPARE(QDir(home->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{documents});
    }

    void storedFolders()
    {
        const QString stored = home->path() + "/";
        writeSetting("addVideoPath", stored);
        QCOMPARE(folderFromSettings("addVideoPath"), stored);
        QVERIFY(!QDir(home->path() + "/Documents").exists());

        // A folder that is gone gives the default and leaves the setting alone.
        writeSetting("SavePath", home->path() + "/gone");
        QCOMPARE(folderFromSettings("SavePath"), home->path() + "/Documents/Tessmark/Lumorra");
        QCOMPARE(readSetting("SavePath"), home->path() + "/gone");

        // A chosen file's folder is kept with its trailing slash.
        rememberFolderOf("addGIFPath", home->path() + "/pics/cat.gif");
        QCOMPARE(readSetting("addGIFPath"), home->path() + "/pics/");
    }

    void tempFolderIsThisUsersAndStable()
    {
        const QString folder = tempFolder();
        QVERIFY(folder.startsWith(QDir::tempPath() + "/Lumorra-"));
        QCOMPARE(tempFolder(), folder);
#ifdef Q_OS_UNIX
        QCOMPARE(int(QFile::permissions(folder) & 0x0FF), 0); // nothing for group or others
#endif
        // Cleared away, it is made again; when it cannot be made (the system's temporary
        // folder is missing or a plain file), the answer is empty.
        QVERIFY(QDir(folder).removeRecursively());
        const QByteArray systemTemp = qgetenv("TMPDIR");
        QVERIFY(writeFile(home->filePath("file"), ""));
        for (const QString &unusable : {home->filePath("missing"), home->filePath("file")}) {
            qputenv("TMPDIR", QFile::encodeName(unusable));
            QCOMPARE(tempFolder(), QString());
        }
        qputenv("TMPDIR", systemTemp);
        QVERIFY(QDir(tempFolder()).exists());
    }
};

LUMORRA_UI_TEST_MAIN(TestServices)

#include "tst_services.moc"
