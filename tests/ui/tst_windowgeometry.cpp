// The interface scale follows the screen's resolution, and the window follows the scale.
// Each resolution needs its own process (the screen's dpi is fixed at start), so the test
// runs itself as a child with QT_FONT_DPI set and reads what the child reports.
#include "ui/uitesthelpers.h"

namespace {

// The scale, then the geometry of the window, the title bar, the three pages, the overlay,
// the images page's options and its "Backup" tile, then 1 when the options' captions fit.
int reportGeometry()
{
    MainMainWidget w(nullptr);
    QTextStream out(stdout);
    out << uiScale;
    const JobOptionsWidget *options = w.imagesWidget->jobOptions;
    for (const QWidget *part : std::initializer_list<const QWidget *>{
             &w, w.topWidget, w.menuWidget, w.imagesWidget, w.videoWidget, w.loadingWidget,
             options, w.imagesWidget->backupmeuButton}) {
        const QRect r = part->geometry();
        out << ' ' << r.x() << ' ' << r.y() << ' ' << r.width() << ' ' << r.height();
    }
    bool fit = true;
    for (QLabel *caption : {options->placementLabel, options->resizeLabel, options->playLabel}) {
        caption->ensurePolished();
        fit = fit && caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width();
    }
    out << ' ' << (fit ? 1 : 0);
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
        QTest::addColumn<QString>("locale");
        QTest::newRow("72 dpi, never below 1") << 72 << 1.0f << "en_US";
        QTest::newRow("120 dpi") << 120 << 1.25f << "en_US";
        QTest::newRow("144 dpi") << 144 << 1.5f << "en_US";
        QTest::newRow("200 dpi, never above 1.8") << 200 << 1.8f << "en_US";
        QTest::newRow("96 dpi, Chinese") << 96 << 1.0f << "zh_CN";
        QTest::newRow("200 dpi, Chinese") << 200 << 1.8f << "zh_CN";
    }

    void geometry()
    {
        QFETCH(int, dpi);
        QFETCH(float, scale);
        QFETCH(QString, locale);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_FONT_DPI", QString::number(dpi));
        // Nothing stored: the start language follows the locale.
        env.insert("LC_ALL", locale + ".UTF-8");
        env.insert("LUMORRA_REPORT_GEOMETRY", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(30000) && child.exitCode() == 0);
        QTextStream report(child.readAllStandardOutput());
        float reportedScale = 0;
        report >> reportedScale;
        QCOMPARE(reportedScale, scale);
        QVector<QRect> parts(8);
        for (QRect &part : parts) {
            int x, y, width, height;
            report >> x >> y >> width >> height;
            part = QRect(x, y, width, height);
        }
        int captionsFit = 0;
        report >> captionsFit;
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

        // Below the images page's options there is room for two more rows like theirs and a
        // line of text above "Backup"; their captions fit in the language.
        const QRect options = parts[6];
        const int room = 2 * options.height() / 3 + int(20 * scale);
        QVERIFY2(options.bottom() + room < parts[7].top(),
                 qPrintable(QString("options end at %1, Backup starts at %2")
                                .arg(options.bottom()).arg(parts[7].top())));
        QVERIFY(options.right() < parts[3].width());
        QCOMPARE(captionsFit, 1);
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
