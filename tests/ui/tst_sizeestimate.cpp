// The images page's expected size: near the GIF Create then makes, on photos, a screen and
// noise, and following every change of the job on a worker that a newer job stops.
#include "pages/sizeestimatelabel.h"
#include "ui/imagestriptest.h"
#include "workers/sizeestimatethread.h"

namespace {

const QSize FrameSize(240, 180);
const int FrameCount = 36;
const double Tolerance = 0.15;

// Smooth random shapes over several scales, panned slowly, with a grain of each frame's own.
QImage photoFrame(int frame)
{
    QRandomGenerator random(3);
    QImage image(FrameSize, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int cells : {3, 7, 15, 31}) {
        QImage grid(2 * cells, cells, QImage::Format_RGB32);
        for (int i = 0; i < grid.width() * grid.height(); ++i)
            grid.setPixel(i % grid.width(), i / grid.width(), random.generate() | 0xff000000u);
        painter.setOpacity(3.0 / cells);
        painter.drawImage(-3 * frame, 0, grid.scaled(2 * FrameSize.width(), FrameSize.height(),
                                                     Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation));
    }
    painter.end();
    QRandomGenerator grain(frame);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int g = grain.bounded(7) - 3;
            row[x] = qRgb(qBound(0, qRed(row[x]) + g, 255), qBound(0, qGreen(row[x]) + g, 255),
                          qBound(0, qBlue(row[x]) + g, 255));
        }
    }
    return image;
}

// A desktop with a window dragged across it while a line is typed into it.
QImage screenFrame(int frame)
{
    QImage image(FrameSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient wallpaper(0, 0, FrameSize.width(), FrameSize.height());
    wallpaper.setColorAt(0, QColor(30, 60, 114));
    wallpaper.setColorAt(1, QColor(106, 143, 200));
    painter.fillRect(image.rect(), wallpaper);
    painter.fillRect(0, FrameSize.height() - 14, FrameSize.width(), 14, QColor(27, 27, 31));
    const QRect window(10 + 2 * frame, 10 + frame / 2, 150, 110);
    painter.fillRect(window, Qt::white);
    painter.fillRect(window.x(), window.y(), window.width(), 12, QColor(60, 63, 65));
    painter.setPen(QColor(34, 34, 34));
    painter.drawText(window.adjusted(6, 16, 0, 0), "Release checklist\n- build\n- test");
    painter.setPen(QColor(26, 79, 156));
    const QString typed = "The smaller file writes the window.";
    painter.drawText(window.adjusted(6, 80, 0, 0), typed.left(frame));
    return image;
}

// "≈ 6.4 MB" as bytes; 0 for anything else.
qint64 shownBytes(const QString &text)
{
    const QStringList parts = text.split(' ');
    if (parts.size() != 3 || parts.first() != QString::fromUtf8("≈"))
        return 0;
    const QMap<QString, double> units{{"bytes", 1}, {"KB", 1e3}, {"MB", 1e6}};
    return qint64(parts.at(1).toDouble() * units.value(parts.at(2)));
}

}

class TestSizeEstimate : public ImageStripTest
{
    Q_OBJECT

    QString outFolder;
    QMap<QString, QStringList> sequences;
    SizeEstimateThread *estimator = nullptr;

    // Waits for the estimate of the job as it stands after the changes spy has seen, and
    // reads it from the page; 0 when none came.
    qint64 waitForEstimate(QSignalSpy &spy)
    {
        if (!QTest::qWaitFor([&] { return !spy.isEmpty(); }, 30000))
            return 0;
        spy.clear();
        return shownBytes(page->sizeEstimateLabel->text());
    }

    void chooseQuality(int level)
    {
        QComboBox *box = page->jobOptions->qualityComboBox;
        QTest::keyClick(box, Qt::Key_Home);
        while (box->currentData().toInt() != level && box->currentIndex() < box->count() - 2)
            QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(page->jobChoices.encoding.quality, level);
    }

    GifJob fileJob(const QString &sequence, qint64 maxBytes = 0)
    {
        QList<FrameSource> frames;
        for (const QString &path : sequences.value(sequence))
            frames << FrameSource::fromFile(path, FrameSize);
        GifJobChoices choices;
        choices.maxBytes = maxBytes;
        return makeGifJob(QString(), frames, choices);
    }

private slots:
    void initTestCase()
    {
        startImagesPage();
        outFolder = temp.path() + "/out";
        estimator = page->sizeEstimateLabel->findChild<SizeEstimateThread *>();
        const QMap<QString, std::function<QImage(int)>> makers{
            {"photos", photoFrame},
            {"screen", screenFrame},
            {"noise", [](int frame) {
                 QRandomGenerator random(frame);
                 return opaqueFrame(noisyFrame(FrameSize.width(), FrameSize.height(), &random));
             }}};
        for (const QString &name : makers.keys()) {
            for (int i = 0; i < FrameCount; ++i) {
                sequences[name] << temp.filePath(
                    QString("%1-%2.png").arg(name).arg(i, 3, 10, QChar('0')));
                QVERIFY(makers.value(name)(i).save(sequences[name].last()));
            }
        }
    }

    void cleanupTestCase() { stopWindow(); }

    void init()
    {
        QDir(outFolder).removeRecursively();
        QDir().mkpath(outFolder);
        window->menuWidget->savePath = outFolder;
        answerer.dialogs.clear();
        answerer.pressRight = false;
        window->switchPage(0);
        window->switchPage(1);
        QVERIFY(page->sizeEstimateLabel->text().isEmpty());
    }

    void estimateIsNearTheGif_data()
    {
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<int>("quality");
        QTest::addColumn<bool>("smallerFile");
        for (const QString &sequence : QStringList{"photos", "screen", "noise"})
            for (int quality : {100, 60})
                for (bool smallerFile : {false, true})
                    QTest::addRow("%s %d%s", qPrintable(sequence), quality,
                                  smallerFile ? " smaller" : "")
                        << sequence << quality << smallerFile;
    }

    void estimateIsNearTheGif()
    {
        QFETCH(QString, sequence);
        QFETCH(int, quality);
        QFETCH(bool, smallerFile);
        if (page->smallerFileCheckBox->isChecked() != smallerFile)
            QTest::mouseClick(page->smallerFileCheckBox, Qt::LeftButton);
        chooseQuality(quality);
        QSignalSpy spy(estimator, &SizeEstimateThread::estimated);
        importImages(window, sequences.value(sequence));
        const qint64 estimate = waitForEstimate(spy);

        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.dialogs.size(), 1, 30000);
        const QString gif = outFolder + "/" + QDir(outFolder).entryList(QDir::Files).value(0);
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.frames.size(), FrameCount);
        const double ratio = double(estimate) / QFileInfo(gif).size();
        qInfo("%s: shown %s, GIF %lld bytes, ratio %.3f", QTest::currentDataTag(),
              qPrintable(page->sizeEstimateLabel->text()), QFileInfo(gif).size(), ratio);
        QVERIFY2(qAbs(ratio - 1) <= Tolerance, qPrintable(QString::number(ratio)));
    }

    // The number shown stays until the next one is known; no frames, no number.
    void followsTheOptionsAndTheStrip()
    {
        chooseQuality(100);
        QSignalSpy spy(estimator, &SizeEstimateThread::estimated);
        importImages(window, sequences.value("photos"));
        const qint64 exact = waitForEstimate(spy);
        QVERIFY(exact > 0);

        chooseQuality(40);
        QCOMPARE(shownBytes(page->sizeEstimateLabel->text()), exact);
        const qint64 lower = waitForEstimate(spy);
        QVERIFY2(lower > 0 && lower < exact * 0.8, qPrintable(page->sizeEstimateLabel->text()));

        strip->deleteTiles(strip->tilesInUse().mid(FrameCount / 2));
        const qint64 half = waitForEstimate(spy);
        QVERIFY2(half > lower * 0.4 && half < lower * 0.7,
                 qPrintable(page->sizeEstimateLabel->text()));

        strip->deleteTiles(strip->tilesInUse());
        QVERIFY(page->sizeEstimateLabel->text().isEmpty());
        strip->undoAction->trigger();
        QCOMPARE(waitForEstimate(spy), half);
        chooseQuality(100);
    }

    // On its own: only the newest job is told, a stop tells nothing, and under a limit the
    // plan's size is told, or that nothing fits.
    void workerTellsTheNewestJob()
    {
        SizeEstimateThread worker;
        QSignalSpy spy(&worker, &SizeEstimateThread::estimated);
        const auto told = [&spy] {
            const bool one = QTest::qWaitFor([&] { return !spy.isEmpty(); }, 30000)
                             && spy.size() == 1;
            return one ? spy.takeFirst() : QVariantList{qint64(0), false};
        };
        worker.estimate(fileJob("noise"));
        const qint64 noisy = told().at(0).toLongLong();
        worker.estimate(fileJob("noise"));
        worker.estimate(fileJob("photos"));
        const qint64 unlimited = told().at(0).toLongLong();
        QVERIFY(unlimited > 0 && unlimited < noisy / 2);
        worker.estimate(fileJob("noise"));
        worker.stop();
        QTest::qWait(500);
        QCOMPARE(spy.size(), 0);

        worker.estimate(fileJob("photos", unlimited / 3));
        const QVariantList fitted = told();
        QVERIFY(fitted.at(0).toLongLong() <= unlimited / 3);
        QVERIFY(fitted.at(0).toLongLong() >= unlimited / 4 && fitted.at(1).toBool());
        worker.estimate(fileJob("photos", 2000));
        const QVariantList unreachable = told();
        QVERIFY(unreachable.at(0).toLongLong() > 2000 && !unreachable.at(1).toBool());
    }
};

LUMORRA_UI_TEST_MAIN(TestSizeEstimate)
#include "tst_sizeestimate.moc"
