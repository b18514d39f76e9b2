// The settings table, remembered folders, the default output folder and the temporary folder.
#include "ui/uitesthelpers.h"

class TestServices : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;

    static QString settingsFile()
    {
        return QSettings(organizationName, applicationName).fileName();
    }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid());
        qputenv("HOME", home->path().toLocal8Bit());
        QSettings(organizationName, applicationName).clear();
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
        QCOMPARE(folderFromSettings(Setting::savePath), expected);
        QVERIFY(QDir(expected).exists());
        QVERIFY(readSetting(Setting::savePath).isEmpty());
        // Asking again finds the folders already there.
        QCOMPARE(folderFromSettings(Setting::addImagesPath), expected);
        QCOMPARE(QDir(home->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{documents});
    }

    void storedFolders()
    {
        const QString stored = home->path() + "/";
        writeSetting(Setting::addVideoPath, stored);
        QCOMPARE(folderFromSettings(Setting::addVideoPath), stored);
        QVERIFY(!QDir(home->path() + "/Documents").exists());

        // A folder that is gone gives the default and leaves the setting alone.
        writeSetting(Setting::savePath, home->path() + "/gone");
        QCOMPARE(folderFromSettings(Setting::savePath),
                 home->path() + "/Documents/Tessmark/Lumorra");
        QCOMPARE(readSetting(Setting::savePath), home->path() + "/gone");

        // A chosen file's folder is kept with its trailing slash.
        rememberFolderOf(Setting::addGifPath, home->path() + "/pics/cat.gif");
        QCOMPARE(readSetting(Setting::addGifPath), home->path() + "/pics/");
    }

    // A file earlier versions wrote holds booleans as the text true or false; a number out
    // of its bounds, or no number at all (edited by hand), reads as the default.
    void readsEarlierFiles()
    {
        QVERIFY(QDir().mkpath(QFileInfo(settingsFile()).path()));
        QVERIFY(writeFile(settingsFile(), "[General]\nimagesSmallerFile=true\n"
                                          "videoHighQualityColours=yes\n"
                                          "imagesFrameRate=51\nvideoFrameRate=fast\n"));
        QVERIFY(readSetting(Setting::imagesSmallerFile));
        QVERIFY(!readSetting(Setting::videoHighQualityColours));
        QCOMPARE(readSetting(Setting::imagesFrameRate), 10);
        QCOMPARE(readSetting(Setting::videoFrameRate), 15);

        QVERIFY(writeFile(settingsFile(), "[General]\nimagesSmallerFile=false\n"
                                          "videoHighQualityColours=true\n"
                                          "imagesFrameRate=50\nvideoFrameRate=4\n"));
        QVERIFY(!readSetting(Setting::imagesSmallerFile));
        QVERIFY(readSetting(Setting::videoHighQualityColours));
        QCOMPARE(readSetting(Setting::imagesFrameRate), 50);
        QCOMPARE(readSetting(Setting::videoFrameRate), 15);
    }

    void roundTrips()
    {
        writeSetting(Setting::imagesSmallerFile, true);
        writeSetting(Setting::videoHighQualityColours, false);
        writeSetting(Setting::imagesFrameRate, 1);
        writeSetting(Setting::language, "zh_CN");
        QVERIFY(readSetting(Setting::imagesSmallerFile));
        QVERIFY(!readSetting(Setting::videoHighQualityColours));
        QCOMPARE(readSetting(Setting::imagesFrameRate), 1);
        QCOMPARE(readSetting(Setting::language), QString("zh_CN"));
        // Booleans and numbers are stored as such, which an INI file shows as plain text.
        const QStringList lines = fileText(settingsFile()).split('\n');
        for (const char *line : {"imagesSmallerFile=true", "videoHighQualityColours=false",
                                 "imagesFrameRate=1", "Language=zh_CN"})
            QVERIFY2(lines.contains(line), line);
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
