// The window's geometry at several screen resolutions. Each resolution needs its own
// process (the screen's dpi is fixed at start), so the test runs itself as a child with
// QT_FONT_DPI set and compares what the child reports.
#include "ui/uitesthelpers.h"

namespace {

int reportGeometry()
{
    MainMainWidget w(nullptr);
    QTextStream out(stdout);
    out << "scale " << uiScale << '\n'
        << "window " << rectText(&w) << '\n'
        << "title " << rectText(w.topWidget) << '\n'
        << "menuPage " << rectText(w.menuWidget) << '\n'
        << "imagesPage " << rectText(w.imagesWidget) << '\n'
        << "videoPage " << rectText(w.videoWidget) << '\n'
        << "overlay " << rectText(w.loadingWidget) << '\n'
        << "panel " << rectText(w.loadingWidget->panelWidget) << '\n'
        << "movie " << rectText(w.loadingWidget->movieLabel) << '\n'
        << "text " << rectText(w.loadingWidget->textLabel) << '\n'
        << "textStyle " << w.loadingWidget->textLabel->styleSheet() << '\n'
        << "logo " << rectText(w.topWidget->logoLabel) << '\n'
        << "titleLabel " << rectText(w.topWidget->titleLabel) << '\n'
        << "version " << rectText(w.topWidget->versionLabel) << '\n'
        << "menuButton " << rectText(w.topWidget->menuButton) << '\n'
        << "minButton " << rectText(w.topWidget->minButton) << '\n'
        << "closeButton " << rectText(w.topWidget->closeButton) << '\n'
        << "titleStyle " << w.topWidget->titleLabel->styleSheet() << '\n'
        << "versionStyle " << w.topWidget->versionLabel->styleSheet() << '\n';
    return 0;
}

}

class TestWindowGeometry : public QObject
{
    Q_OBJECT

    QMap<QString, QString> report(int dpi)
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_FONT_DPI"), QString::number(dpi));
        env.insert(QStringLiteral("LUMORRA_REPORT_GEOMETRY"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            return {};
        QMap<QString, QString> values;
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
        for (const QString &line : lines) {
            const int space = line.indexOf(' ');
            if (space > 0)
                values.insert(line.left(space), line.mid(space + 1));
        }
        return values;
    }

private slots:
    void geometry_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("expected");
        // The offscreen screen is 800 x 600: the window is centred on it, |600 - H| / 2 high.
        const QString at1 = "scale 1, window 100 25 600 650, title 0 0 600 30, "
                            "menuPage 1 30 598 619";
        const QString at15 = "scale 1.5, window 50 187 900 975, title 0 0 900 45, "
                             "menuPage 1 45 898 929";
        QTest::newRow("72 dpi") << 72 << at1;
        QTest::newRow("96 dpi") << 96 << at1 + ", panel 200 245 200 160, movie 90 50 20 20, "
            "text 10 80 180 20, textStyle QLabel{font-size:11px;color:#ffffff;}, logo 10 5 20 20, "
            "titleLabel 40 1 400 28, version 400 8 90 20, menuButton 510 0 26 26, "
            "minButton 540 0 26 26, closeButton 570 0 26 26, "
            "titleStyle QLabel { color: #e0e0e0;font:12px;}";
        QTest::newRow("120 dpi") << 120 << "scale 1.25, window 25 106 750 812, title 0 0 750 37, "
                                           "menuPage 1 37 748 774";
        QTest::newRow("144 dpi") << 144 << at15 + ", panel 300 367 300 240, movie 135 75 30 30, "
            "text 15 120 270 30, textStyle QLabel{font-size:16px;color:#ffffff;}, logo 15 7 30 30, "
            "titleLabel 60 1 600 42, version 600 12 135 30, menuButton 765 0 39 39, "
            "minButton 810 0 39 39, closeButton 855 0 39 39, "
            "versionStyle QLabel { color: #b7b7b7;font:15px;}";
        QTest::newRow("200 dpi") << 200 << "scale 1.8, window 140 285 1080 1170, "
                                           "title 0 0 1080 54, menuPage 1 54 1078 1115";
    }

    void geometry()
    {
        QFETCH(int, dpi);
        QFETCH(QString, expected);
        const QMap<QString, QString> r = report(dpi);
        QVERIFY2(!r.isEmpty(), "the child process failed");
        for (const QString &line : expected.split(", ")) {
            const QString key = line.section(' ', 0, 0);
            QCOMPARE(key + ' ' + r.value(key), line);
        }
        QCOMPARE(r.value("imagesPage"), r.value("menuPage"));
        QCOMPARE(r.value("videoPage"), r.value("menuPage"));
        QCOMPARE(r.value("overlay"), "0 0 " + r.value("window").section(' ', 2));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("LUMORRA_REPORT_GEOMETRY")) {
        QApplication app(argc, argv);
        appDirPath = QCoreApplication::applicationDirPath();
        return reportGeometry();
    }
    QCoreApplication app(argc, argv);
    TestWindowGeometry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowgeometry.moc"
