// The interface scale follows the screen's resolution, and the window follows the scale.
// Each resolution needs its own process (the screen's dpi is fixed at start), so the test
// runs itself as a child with QT_FONT_DPI set and reads what the child reports.
#include "ui/uitesthelpers.h"

namespace {

// The scale, then the geometry of the window, the title bar, the three pages and the overlay.
int reportGeometry()
{
    MainMainWidget w(nullptr);
    QTextStream out(stdout);
    out << uiScale;
    for (const QWidget *part : std::initializer_list<const QWidget *>{
             &w, w.topWidget, w.menuWidget, w.imagesWidget, w.videoWidget, w.loadingWidget}) {
        const QRect r = part->geometry();
        out << ' ' << r.x() << ' ' << r.y() << ' ' << r.width() << ' ' << r.height();
    }
    return 0;
}

}

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<float>("scale");
        QTest::newRow("72 dpi, never below 1") << 72 << 1.0f;
        QTest::newRow("120 dpi") << 120 << 1.25f;
        QTest::newRow("144 dpi") << 144 << 1.5f;
        QTest::newRow("200 dpi, never above 1.8") << 200 << 1.8f;
    }

    void geometry()
    {
        QFETCH(int, dpi);
        QFETCH(float, scale);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_FONT_DPI", QString::number(dpi));
        env.insert("LUMORRA_REPORT_GEOMETRY", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(30000) && child.exitCode() == 0);
        QTextStream report(child.readAllStandardOutput());
        float reportedScale = 0;
        report >> reportedScale;
        QCOMPARE(reportedScale, scale);
        QVector<QRect> parts(6);
        for (QRect &part : parts) {
            int x, y, width, height;
            report >> x >> y >> width >> height;
            part = QRect(x, y, width, height);
        }
        QCOMPARE(report.status(), QTextStream::Ok);

        // The design size at the scale; the pages share the room below the title bar, and
        // the overlay covers the whole window.
        const QRect window(QPoint(0, 0), parts[0].size());
        QCOMPARE(window.size(), QSize(int(600 * scale), int(650 * scale)));
        for (const QRect &page : {parts[2], parts[3], parts[4]}) {
            QCOMPARE(page, parts[2]);
            QVERIFY(window.contains(page) && page.top() > parts[1].bottom());
        }
        QCOMPARE(parts[5], window);
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
