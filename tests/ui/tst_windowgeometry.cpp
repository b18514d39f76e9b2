// The window's scale and main rectangles at several screen resolutions. Each resolution
// needs its own process (the screen's dpi is fixed at start), so the test runs itself as a
// child with QT_FONT_DPI set and compares what the child reports.
#include "ui/uitesthelpers.h"

namespace {

int reportGeometry()
{
    MainMainWidget w(nullptr);
    const QRect panel = w.loadingWidget->panelWidget->geometry();
    QTextStream out(stdout);
    out << "scale " << uiScale << '\n'
        << "window " << rectText(&w) << '\n'
        << "title " << rectText(w.topWidget) << '\n'
        << "menuPage " << rectText(w.menuWidget) << '\n'
        << "imagesPage " << rectText(w.imagesWidget) << '\n'
        << "videoPage " << rectText(w.videoWidget) << '\n'
        << "overlay " << rectText(w.loadingWidget) << '\n'
        << "panel " << panel.width() << ' ' << panel.height() << '\n'
        << "panelCentre " << panel.center().x() << ' ' << panel.center().y() << '\n';
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
                            "menuPage 1 30 598 619, panel 200 160, panelCentre 299 324";
        QTest::newRow("72 dpi") << 72 << at1;
        QTest::newRow("96 dpi") << 96 << at1;
        QTest::newRow("120 dpi") << 120 << "scale 1.25, window 25 106 750 812, title 0 0 750 37, "
                                           "menuPage 1 37 748 774";
        QTest::newRow("144 dpi") << 144 << "scale 1.5, window 50 187 900 975, title 0 0 900 45, "
                                           "menuPage 1 45 898 929, panel 300 240";
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
