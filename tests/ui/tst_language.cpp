// The interface language: the Lang_config list, the start language, switching from the
// submenu, the stored Language value and the web links. Each test lays out its own Lang/
// folder with translations compiled here by lrelease.
#include "app/mainmainwidget.h"
#include "app/maintopwidget.h"
#include "app/services.h"
#include "ui/uitesthelpers.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

namespace {

const char chineseTs[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
    "<TS version=\"2.1\" language=\"zh_CN\"><context><name>MainTopWidget</name>\n"
    "<message><source>Help</source><translation>帮助</translation></message>\n"
    "<message><source>Language</source><translation>语言</translation></message>\n"
    "</context></TS>\n";
const char englishTs[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
    "<TS version=\"2.1\" language=\"en_US\"><context><name>MainTopWidget</name>\n"
    "<message><source>Help</source><translation>Help</translation></message>\n"
    "</context></TS>\n";

}

// Catches the pages the program would open in the browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestLanguage : public QObject
{
    Q_OBJECT

    QTemporaryDir appDir;
    QString savedAppDirPath;
    std::unique_ptr<MainMainWidget> window;

    QString langDir() const { return appDir.path() + "/Lang"; }

    static bool compile(const QString &tsPath, const QByteArray &content, const QString &qmPath)
    {
        QFile ts(tsPath);
        if (!ts.open(QIODevice::WriteOnly) || ts.write(content) != content.size())
            return false;
        ts.close();
        return QProcess::execute("lrelease", {"-silent", tsPath, "-qm", qmPath}) == 0
               && QFile::exists(qmPath);
    }

    void writeConfig(const QByteArray &content)
    {
        QFile config(langDir() + "/Lang_config");
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(content);
    }

    void start() { window = std::make_unique<MainMainWidget>(nullptr); }
    MainTopWidget *bar() const { return window->topWidget; }
    QStringList menuEntries() const
    {
        QStringList texts;
        for (QAction *action : bar()->languageMenu->actions())
            texts << action->text();
        return texts;
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
        QVERIFY(appDir.isValid());
        QVERIFY(QDir(appDir.path()).mkdir("Lang"));
        QVERIFY(compile(appDir.path() + "/zh.ts", chineseTs, langDir() + "/Lang_ZH.qm"));
        QVERIFY(compile(appDir.path() + "/en.ts", englishTs, langDir() + "/Lang_EN.qm"));
        savedAppDirPath = appDirPath;
        appDirPath = appDir.path();
    }

    void cleanupTestCase() { appDirPath = savedAppDirPath; }

    void init()
    {
        QSettings(QStringLiteral("Tessmark"), QStringLiteral("Lumorra")).clear();
        writeConfig("EN=English\nZH=中文\n");
    }

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
        QTest::newRow("ends at empty line")
            << QByteArray("EN=English\nZH=Chinese\n\nFR=French\n")
            << QStringList{"English", "Chinese"} << QStringList{"EN", "ZH"};
        QTest::newRow("line trimmed") << QByteArray("  EN=English \t\nZH=中文")
                                      << QStringList{"English", "中文"} << QStringList{"EN", "ZH"};
        QTest::newRow("blanks at =") << QByteArray("EN = English\n")
                                     << QStringList{" English"} << QStringList{"EN "};
        QTest::newRow("two =") << QByteArray("EN=English=UK\n") << QStringList{"English"}
                               << QStringList{"EN"};
        QTest::newRow("CRLF") << QByteArray("EN=English\r\nZH=中文\r\n")
                              << QStringList{"English", "中文"} << QStringList{"EN", "ZH"};
        QTest::newRow("lines without = skipped") << QByteArray("EN=English\n   \nXX\nZH=中文\n")
                                                 << QStringList{"English", "中文"}
                                                 << QStringList{"EN", "ZH"};
        QTest::newRow("empty file") << QByteArray() << QStringList() << QStringList();
        QTest::newRow("first line empty") << QByteArray("\nEN=English\n") << QStringList()
                                          << QStringList();
    }

    void readsTheList()
    {
        QFETCH(QByteArray, config);
        writeConfig(config);
        start();
        QTEST(bar()->languageNames, "names");
        QTEST(bar()->languageCodes, "codes");
        QTEST(menuEntries(), "names");
        // The start language is applied even with an empty list.
        QCOMPARE(window->languageCode, QStringLiteral("EN"));
        QCOMPARE(readSetting("Language"), QStringLiteral("EN"));
    }

    void missingListOffersEnglish()
    {
        QFile::remove(langDir() + "/Lang_config");
        start();
        QCOMPARE(menuEntries(), QStringList{"English"});
        QCOMPARE(bar()->languageCodes, QStringList{"EN"});
    }

    void startLanguageFromTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        start();
        QCOMPARE(window->languageCode, QStringLiteral("ZH"));
        QCOMPARE(readSetting("Language"), QStringLiteral("ZH"));
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("帮助"));
        QCOMPARE(bar()->languageMenu->title(), QStringLiteral("语言"));
    }

    void startLanguageFromTheSetting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("zh_CN") << "zh_CN" << "ZH" << "ZH_CN";
        QTest::newRow("one character is missing") << "x" << "EN" << "EN";
        QTest::newRow("no translation file") << "FR" << "EN" << "EN";
        QTest::newRow("longer code uses two") << "ZHT" << "ZH" << "ZHT";
    }

    void startLanguageFromTheSetting()
    {
        QFETCH(QString, stored);
        writeSetting("Language", stored);
        start();
        QTEST(window->languageCode, "code");
        QTEST(readSetting("Language"), "storedAfter");
    }

    void switchesLiveFromTheSubmenu()
    {
        start();
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("Help"));
        choose("中文");
        QCOMPARE(window->languageCode, QStringLiteral("ZH"));
        QCOMPARE(readSetting("Language"), QStringLiteral("ZH"));
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("帮助"));
        QVERIFY(!bar()->mainMenu->isVisible());
        choose("English");
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("Help"));
        QCOMPARE(readSetting("Language"), QStringLiteral("EN"));
    }

    void missingTranslationFallsBackToEnglish()
    {
        writeConfig("ZH=中文\nFR=Français\nEN = English\n");
        start();
        choose("中文");
        choose("Français");
        QCOMPARE(window->languageCode, QStringLiteral("EN"));
        QCOMPARE(readSetting("Language"), QStringLiteral("EN"));
        QCOMPARE(bar()->helpAction->text(), QStringLiteral("Help"));
        choose("中文");
        choose(" English");
        QCOMPARE(window->languageCode, QStringLiteral("EN"));
    }

    void webLinksCarryTheCurrentCode()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        start();
        choose("中文");
        bar()->helpAction->trigger();
        bar()->supportAction->trigger();
        bar()->homepageAction->trigger();
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("http");

        const QString site = QStringLiteral(LUMORRA_WEBSITE);
        QCOMPARE(catcher.urls.size(), 3);
        QCOMPARE(catcher.urls.at(0).toString(),
                 site + "/support/?id=lumorra&Lang=ZH&Platform=Win");
        QCOMPARE(catcher.urls.at(1), catcher.urls.at(0));
        QCOMPARE(catcher.urls.at(2).toString(),
                 site + "/lumorra/?id=lumorra&Lang=ZH&Platform=Win");
        QCOMPARE(window->webPageUrl("b"), QStringLiteral("b?id=lumorra&Lang=ZH&Platform=Win"));
    }
};

LUMORRA_UI_TEST_MAIN(TestLanguage)

#include "tst_language.moc"
