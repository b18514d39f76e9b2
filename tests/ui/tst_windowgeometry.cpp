// The interface scale follows the screen's resolution as far as the whole window fits the
// room the screen offers, and the window lies in that room. A screen's dpi and size are
// fixed at start, so the test runs itself as a child for each case, with QT_FONT_DPI set,
// on one screen of a virtual X display (Xvfb), and reads what the child reports.
#include "ui/uitesthelpers.h"

namespace {

const QStringList ScreenSizes{"2400x2400", "1280x1024", "1400x1000", "800x600"};

// The scale, the room the screen offers, then the geometry of the window, the title bar,
// the three pages, the overlay, the images page's options and its "Backup" tile, then 1
// when the options' captions fit.
int reportGeometry()
{
    MainMainWidget w(nullptr);
    QTextStream out(stdout);
    out << uiScale;
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    out << ' ' << room.x() << ' ' << room.y() << ' ' << room.width() << ' ' << room.height();
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

QRect readRect(QTextStream &report)
{
    int x, y, width, height;
    report >> x >> y >> width >> height;
    return QRect(x, y, width, height);
}

}

class TestWindowGeometry : public QObject
{
    Q_OBJECT

    QProcess xvfb;
    QTemporaryDir temp;
    QString display;

private slots:
    void initTestCase()
    {
        // Xvfb picks a free display itself and writes its number on descriptor 3.
        QStringList screens;
        for (int i = 0; i < ScreenSizes.size(); ++i)
            screens << QString("-screen %1 %2x24").arg(i).arg(ScreenSizes.at(i));
        const QString number = temp.filePath("display");
        xvfb.start("sh", {"-c", "exec Xvfb -displayfd 3 -nolisten tcp " + screens.join(' ')
                                    + " 3>" + number});
        QTRY_VERIFY_WITH_TIMEOUT(!fileText(number).trimmed().isEmpty(), 10000);
        display = ":" + fileText(number).trimmed();
    }

    void cleanupTestCase()
    {
        xvfb.terminate();
        xvfb.waitForFinished();
    }

    void geometry_data()
    {
        // The device pixel ratio (QT_SCALE_FACTOR) enlarges everything on top of the scale.
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("ratio");
        QTest::addColumn<int>("screen");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("locale");
        QTest::newRow("72 dpi, never below 1") << 72 << 1 << 0 << 1.0f << "en_US";
        QTest::newRow("120 dpi") << 120 << 1 << 0 << 1.25f << "en_US";
        QTest::newRow("144 dpi") << 144 << 1 << 0 << 1.5f << "en_US";
        QTest::newRow("200 dpi, never above 1.8") << 200 << 1 << 0 << 1.8f << "en_US";
        QTest::newRow("96 dpi, Chinese") << 96 << 1 << 0 << 1.0f << "zh_CN";
        QTest::newRow("200 dpi, Chinese") << 200 << 1 << 0 << 1.8f << "zh_CN";
        QTest::newRow("144 dpi, 1000 pixels high: fits") << 144 << 1 << 2 << 1.5f << "en_US";
        QTest::newRow("192 dpi on 1280 x 1024: as large as fits")
            << 192 << 1 << 1 << 1024 / 650.0f << "en_US";
        QTest::newRow("192 dpi, 1000 pixels high: as large as fits")
            << 192 << 1 << 2 << 1000 / 650.0f << "en_US";
        QTest::newRow("ratio 2 on 1280 x 1024: smaller than designed, to fit")
            << 96 << 2 << 1 << 512 / 650.0f << "en_US";
        QTest::newRow("800 x 600: never smaller than designed")
            << 96 << 1 << 3 << 1.0f << "en_US";
    }

    void geometry()
    {
        QFETCH(int, dpi);
        QFETCH(int, ratio);
        QFETCH(int, screen);
        QFETCH(float, scale);
        QFETCH(QString, locale);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_FONT_DPI", QString::number(dpi));
        env.insert("QT_SCALE_FACTOR", QString::number(ratio));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display + "." + QString::number(screen));
        // Nothing stored: the start language follows the locale.
        env.insert("LC_ALL", locale + ".UTF-8");
        env.insert("LUMORRA_REPORT_GEOMETRY", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(30000));
        QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
        QTextStream report(child.readAllStandardOutput());
        float reportedScale = 0;
        report >> reportedScale;
        QVERIFY2(qAbs(reportedScale - scale) < 0.0001f, qPrintable(QString::number(reportedScale)));
        const QRect room = readRect(report);
        QCOMPARE(room.size(), QSize(ScreenSizes.at(screen).section('x', 0, 0).toInt() / ratio,
                                    ScreenSizes.at(screen).section('x', 1).toInt() / ratio));
        QVector<QRect> parts(8);
        for (QRect &part : parts)
            part = readRect(report);
        int captionsFit = 0;
        report >> captionsFit;
        QCOMPARE(report.status(), QTextStream::Ok);

        // The design size at the scale (to a pixel: the reported scale has fewer digits than
        // the one used), within the room where it fits; else its top left corner is in the
        // room, so that the title bar can be reached.
        const QRect window = parts[0];
        QVERIFY(qAbs(window.width() - int(600 * scale)) <= 1
                && qAbs(window.height() - int(650 * scale)) <= 1);
        if (window.width() <= room.width() && window.height() <= room.height())
            QVERIFY(room.contains(window));
        else
            QVERIFY(room.contains(window.topLeft()));
        // The pages share the room below the title bar; the overlay covers the window.
        const QRect inside(QPoint(0, 0), window.size());
        for (const QRect &page : {parts[2], parts[3], parts[4]}) {
            QCOMPARE(page, parts[2]);
            QVERIFY(inside.contains(page) && page.top() > parts[1].bottom());
        }
        QCOMPARE(parts[5], inside);

        // Below the images page's options there is room for a line of text above "Backup";
        // their captions fit in the language.
        const QRect options = parts[6];
        const int below = int(20 * reportedScale);
        QVERIFY2(options.bottom() + below < parts[7].top(),
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
