// The interface language: the Lang_config list, the start language, switching from the
// submenu, the stored Language value and the web links, against a Lang/ folder laid out
// here with the built translations.
#include "ui/uitesthelpers.h"

// Catches the pages the program would open in the browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QStringList urls;
public slots:
    void open(const QUrl &url) { urls << url.toString(); }
};

class TestLanguage : public QObject
{
    Q_OBJECT

    QTemporaryDir appDir;
    QString savedAppDirPath;
    std::unique_ptr<MainMainWidget> window;

    QString langDir() const { return appDir.path() + "/Lang"; }
    MainTopWidget *bar() const { return window->topWidget; }

    void start(const QByteArray &config)
    {
        if (config != "<none>")
            QVERIFY(writeFile(langDir() + "/Lang_config", config));
        window = std::make_unique<MainMainWidget>(nullptr);
    }

    void choose(const QString &entry)
    {
        for (QAction *action : bar()->languageMenu->actions()) {
            if (action->text() == entry)
                return action->trigger();
        }
        QFAIL("no such entry in the Language submenu");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(appDir.path()).mkdir("Lang"));
        // The built translations, under a language list of each test's own.
        for (const char *qm : {"Lang_EN.qm", "Lang_ZH.qm"})
            QVERIFY(QFile::copy(appDirPath + "/Lang/" + qm, langDir() + "/" + qm));
        savedAppDirPath = appDirPath;
        appDirPath = appDir.path();
    }

    void cleanupTestCase() { appDirPath = savedAppDirPath; }

    void init() { QSettings(organizationName, applicationName).clear(); }

    void cleanup()
    {
        window.reset();
        QFile::remove(langDir() + "/Lang_config");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void readsTheList_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("ends at empty line") << QByteArray("EN=English\nZH=Chinese\n\nFR=French\n")
                                            << QStringList{"English", "Chinese"}
                                            << QStringList{"EN", "ZH"};
        QTest::newRow("line trimmed, CRLF, lines without = skipped")
            << QByteArray("  EN=English \t\r\n   \nXX\nZH=中文") << QStringList{"English", "中文"}
            << QStringList{"EN", "ZH"};
        QTest::newRow("blanks at =") << QByteArray("EN = English\n") << QStringList{" English"}
                                     << QStringList{"EN "};
        QTest::newRow("two =") << QByteArray("EN=English=UK\n") << QStringList{"English"}
                               << QStringList{"EN"};
        QTest::newRow("empty file") << QByteArray() << QStringList() << QStringList();
        QTest::newRow("first line empty") << QByteArray("\nEN=English\n") << QStringList()
                                          << QStringList();
        QTest::newRow("missing file") << QByteArray("<none>") << QStringList{"English"}
                                      << QStringList{"EN"};
    }

    void readsTheList()
    {
        QFETCH(QByteArray, config);
        start(config);
        QTEST(bar()->languageNames, "names");
        QTEST(bar()->languageCodes, "codes");
        QStringList entries;
        for (QAction *action : bar()->languageMenu->actions())
            entries << action->text();
        QTEST(entries, "names");
        // The start language is applied even with an empty list.
        QCOMPARE(window->languageCode, QStringLiteral("EN"));
        QCOMPARE(readSetting(Setting::language), QStringLiteral("EN"));
    }

    void startLanguage_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("nothing stored: the Chinese locale") << "" << "ZH" << "ZH";
        QTest::newRow("zh_CN") << "zh_CN" << "ZH" << "ZH_CN";
        QTest::newRow("one character is missing") << "x" << "EN" << "EN";
        QTest::newRow("no translation file") << "FR" << "EN" << "EN";
        QTest::newRow("longer code uses two") << "ZHT" << "ZH" << "ZHT";
    }

    void startLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(QString, code);
        if (stored.isEmpty())
            QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        else
            writeSetting(Setting::language, stored);
        start("EN=English\nZH=中文\n");
        QCOMPARE(window->languageCode, code);
        QTEST(readSetting(Setting::language), "storedAfter");
        QCOMPARE(bar()->helpAction->text(), code == "ZH" ? QString("帮助") : QString("Help"));
        QCOMPARE(bar()->languageMenu->title(), code == "ZH" ? QString("语言") : QString("Language"));
    }

    void switchesLiveAndLinksCarryTheCode()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        start("ZH=中文\nFR=Français\nEN = English\n");
        choose("中文");
        QCOMPARE(readSetting(Setting::language), QStringLiteral("ZH"));
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("帮助"));
        // Qt's own dialogs follow, with Debian's qttranslations5-l10n installed.
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("打开"));
        QVERIFY(!bar()->mainMenu->isVisible());
        bar()->helpAction->trigger();
        bar()->supportAction->trigger();
        bar()->homepageAction->trigger();
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("http");
        const QString query = "?id=lumorra&Lang=ZH&Platform=Win";
        QCOMPARE(catcher.urls, (QStringList{LUMORRA_WEBSITE "/support/" + query,
                                            LUMORRA_WEBSITE "/support/" + query,
                                            LUMORRA_WEBSITE "/lumorra/" + query}));

        // Without a translation file the interface falls back to English.
        choose("Français");
        QCOMPARE(window->languageCode, QStringLiteral("EN"));
        QCOMPARE(readSetting(Setting::language), QStringLiteral("EN"));
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("Help"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Open"));
        choose("中文");
        choose(" English");
        QCOMPARE(window->languageCode, QStringLiteral("EN"));
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("Help"));
    }
};

LUMORRA_UI_TEST_MAIN(TestLanguage)
#include "tst_language.moc"
