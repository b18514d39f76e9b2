// Size limits: the creation worker fits a job of picture files or of a frame stream under
// a limit by its quality level, its scale and its frames, or fails and writes nothing.
#include "rules/framedelay.h"
#include "support/enginetesthelpers.h"
#include "support/gifdecoder.h"
#include "workers/framestream.h"
#include "workers/gifcreaterthread.h"
#include "workers/sizefitter.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <functional>
#include <numeric>

namespace {

const QSize FrameSize(160, 120);
const int FrameCount = 40;
const int BlockSide = 8;

// A pan over blocks of random colours, each with a grain of its own: every frame differs
// from all the others, and the grain lets the quality level matter.
QVector<QImage> panFrames()
{
    QRandomGenerator random(25);
    const int width = FrameSize.width() + BlockSide * FrameCount;
    QVector<QRgb> blocks;
    for (int i = 0; i < width / BlockSide * FrameSize.height() / BlockSide; ++i)
        blocks << random.generate();
    QImage texture(width, FrameSize.height(), QImage::Format_RGBA8888);
    for (int y = 0; y < texture.height(); ++y) {
        uchar *row = texture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb block = blocks.at(y / BlockSide * (width / BlockSide) + x / BlockSide);
            const int grain = random.bounded(25) - 12;
            row[4 * x] = uchar(qBound(0, qRed(block) + grain, 255));
            row[4 * x + 1] = uchar(qBound(0, qGreen(block) + grain, 255));
            row[4 * x + 2] = uchar(qBound(0, qBlue(block) + grain, 255));
            row[4 * x + 3] = 255;
        }
    }
    QVector<QImage> frames;
    for (int i = 0; i < FrameCount; ++i)
        frames << texture.copy(QRect(QPoint(BlockSide * i, 0), FrameSize));
    return frames;
}

// The frames of a list, for a job that takes them as they come, as a decoded clip gives them.
class ListStream : public FrameStream
{
public:
    explicit ListStream(const QVector<QImage> &frames) : frames(frames) {}
    bool takeNext(QImage *frame) override
    {
        if (stopped || next >= frames.size())
            return false;
        *frame = frames.at(next++);
        return true;
    }
    bool failed() const override { return false; }
    int expectedFrames() const override { return frames.size(); }
    void stop() override { stopped = true; }
    bool sampleFrames(const QVector<int> &places, QVector<QImage> *made) override
    {
        for (int place : places)
            *made << frames.at(place);
        return !stopped;
    }
    bool restart() override
    {
        next = 0;
        return !stopped;
    }

private:
    const QVector<QImage> frames;
    int next = 0;
    std::atomic<bool> stopped{false};
};

// A stream whose sample shows still grey frames while its run gives the pan: the job looks
// as if it fits as it is, its write passes the limit, and the stream is asked to start again.
// Its restart fails, or stands for the user stopping the job at that moment.
class MisjudgedStream : public ListStream
{
public:
    MisjudgedStream(const QVector<QImage> &frames, std::function<void()> restarting)
        : ListStream(frames), restarting(std::move(restarting))
    {
    }
    bool sampleFrames(const QVector<int> &places, QVector<QImage> *made) override
    {
        for (int i = 0; i < places.size(); ++i) {
            QImage grey(FrameSize, QImage::Format_RGBA8888);
            grey.fill(Qt::gray);
            *made << grey;
        }
        return true;
    }
    bool restart() override
    {
        restarting();
        return false;
    }

private:
    const std::function<void()> restarting;
};

// The source frame the decoded frame shows: the one it differs least from, shrunk alike.
int sourceOf(const QImage &shown, const QVector<QImage> &sources)
{
    int best = -1;
    qint64 bestDifference = 0;
    for (int j = 0; j < sources.size(); ++j) {
        const QImage source = sources.at(j).scaled(shown.size(), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = source.pixel(x, y);
                difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b))
                              + qAbs(qBlue(a) - qBlue(b));
            }
        }
        if (best < 0 || difference < bestDifference) {
            best = j;
            bestDifference = difference;
        }
    }
    return best;
}

} // namespace

class TestSizeLimit : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QVector<QImage> frames = panFrames();
    QList<FrameSource> files;
    qint64 unlimitedBytes = 0;

    GifJob picturesJob(const QString &name, qint64 maxBytes) const
    {
        GifJobChoices choices;
        choices.maxBytes = maxBytes;
        return makeGifJob(dir.filePath(name), files, choices);
    }

    // Checks the GIF a finished job made against the limit and the sources: its canvas is
    // the scale's, and its frames are sources spread evenly, each showing as long as the
    // sources it stands for, within a hundredth per source dropped.
    void checkFitted(const GifCreaterThread &thread, const QString &path, qint64 limit,
                     const QVector<int> &sourceDelays)
    {
        QCOMPARE(thread.outcome, JobOutcome::Completed);
        const qint64 bytes = QFileInfo(path).size();
        QVERIFY2(bytes <= limit && bytes >= 0.85 * limit,
                 qPrintable(QStringLiteral("%1 bytes for %2").arg(bytes).arg(limit)));
        const FitSetting &setting = thread.fitSetting;
        DecodedGif gif;
        QVERIFY(decodeGif(path, &gif));
        QCOMPARE(gif.canvasSize, scaledCanvas(FrameSize, setting.scale));
        const int n = sourceDelays.size();
        QCOMPARE(gif.frames.size(), setting.kept > 0 ? setting.kept : n);
        QVector<int> shown;
        for (const DecodedFrame &frame : gif.frames)
            shown << sourceOf(frame.canvas, frames);
        shown << n;
        QCOMPARE(shown.first(), 0);
        int total = 0;
        int fewest = n;
        int most = 0;
        for (int k = 0; k < gif.frames.size(); ++k) {
            const int covered = shown.at(k + 1) - shown.at(k);
            fewest = qMin(fewest, covered);
            most = qMax(most, covered);
            int delay = 0;
            for (int j = shown.at(k); j < shown.at(k + 1); ++j)
                delay += sourceDelays.at(j);
            QVERIFY2(covered > 0 && qAbs(gif.frames.at(k).delay - delay) < covered,
                     qPrintable(QStringLiteral("frame %1 shows %2").arg(k).arg(shown.at(k))));
            total += gif.frames.at(k).delay;
        }
        QVERIFY(most - fewest <= 1);
        const int wholeDelay = std::accumulate(sourceDelays.begin(), sourceDelays.end(), 0);
        QVERIFY(qAbs(total - wholeDelay) <= n - gif.frames.size());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        for (int i = 0; i < FrameCount; ++i) {
            const QString path = dir.filePath(QStringLiteral("frame%1.png").arg(i + 10));
            QVERIFY(frames.at(i).save(path));
            files << FrameSource::fromFile(path, FrameSize);
        }
        GifCreaterThread thread;
        QVERIFY(runToEnd(&thread, picturesJob("unlimited.gif", 0)));
        unlimitedBytes = QFileInfo(dir.filePath("unlimited.gif")).size();
        QVERIFY(unlimitedBytes > 100000);
    }

    // A limit the GIF stays under leaves it as it is, to the byte.
    void limitAboveLeavesTheGifAsItIs()
    {
        const QByteArray unlimited = readFile(dir.filePath("unlimited.gif"));
        for (const qint64 limit : {unlimitedBytes * 10, unlimitedBytes + unlimitedBytes / 50}) {
            GifCreaterThread thread;
            QVERIFY(runToEnd(&thread, picturesJob("above.gif", limit)));
            QCOMPARE(thread.outcome, JobOutcome::Completed);
            QVERIFY(readFile(dir.filePath("above.gif")) == unlimited);
        }
    }

    void limitsBelowTheGif_data()
    {
        QTest::addColumn<double>("share");
        QTest::addColumn<QString>("lowered"); // what the job must have lowered, at least
        QTest::newRow("just below") << 0.97 << "";
        QTest::newRow("quality") << 0.65 << "quality";
        QTest::newRow("scale") << 0.15 << "scale";
        QTest::newRow("frames") << 0.05 << "frames";
        QTest::newRow("fewest frames") << 0.02 << "frames";
    }

    void limitsBelowTheGif()
    {
        QFETCH(double, share);
        QFETCH(QString, lowered);
        const qint64 limit = qint64(share * unlimitedBytes);
        const QString name = QStringLiteral("below%1.gif").arg(share);
        GifCreaterThread thread;
        QSignalSpy progress(&thread, &GifCreaterThread::updateprogress);
        QVERIFY(runToEnd(&thread, picturesJob(name, limit)));
        checkFitted(thread, dir.filePath(name), limit, QVector<int>(FrameCount, 10));
        // The quality level first, then the scale, then the frames.
        const FitSetting &setting = thread.fitSetting;
        if (lowered == "quality")
            QVERIFY(setting.quality < 100 && setting.scale == 1 && setting.kept == 0);
        if (lowered == "scale")
            QVERIFY(setting.quality < 100 && setting.scale < 1 && setting.kept == 0);
        if (lowered == "frames") {
            QVERIFY(setting.kept > 0);
            QCOMPARE(setting.quality, LowestFittingQuality);
            QCOMPARE(setting.scale, SmallestFittingScale);
        }
        const QList<int> values = progressOf(progress);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QCOMPARE(values.last(), 10000);
    }

    // A stream is sampled apart from its run, and thinned as its frames arrive.
    void streamUnderALimit()
    {
        auto stream = std::make_shared<ListStream>(frames);
        GifJobChoices choices;
        choices.frameRate = 15;
        choices.maxBytes = unlimitedBytes / 40;
        const QString path = dir.filePath("stream.gif");
        GifCreaterThread thread;
        QVERIFY(runToEnd(&thread, makeStreamGifJob(path, stream, FrameSize, choices)));
        QVector<int> delays;
        for (int i = 0; i < FrameCount; ++i)
            delays << delayOfFrame(15, i);
        checkFitted(thread, path, choices.maxBytes, delays);
    }

    // A stream that cannot be read again for a second write fails as it failed, or stops
    // when the user stopped it: it is not a limit out of reach. Nothing is written.
    void streamNotReadAgain()
    {
        for (const bool userStops : {false, true}) {
            const QString path = dir.filePath(QStringLiteral("again%1.gif").arg(userStops));
            GifCreaterThread thread;
            auto stream = std::make_shared<MisjudgedStream>(frames, [&] {
                if (userStops)
                    thread.requestStop();
            });
            GifJobChoices choices;
            choices.maxBytes = unlimitedBytes / 2;
            QVERIFY(runToEnd(&thread, makeStreamGifJob(path, stream, FrameSize, choices)));
            QCOMPARE(thread.outcome, userStops ? JobOutcome::Stopped : JobOutcome::Unreadable);
            QVERIFY(!QFileInfo::exists(path));
        }
    }

    // Too small even for the fewest frames at the smallest scale: no GIF, and an earlier
    // file of that name stays as it was.
    void impossibleLimitWritesNothing()
    {
        const QString path = dir.filePath("impossible.gif");
        QVERIFY(writeFile(path, "earlier"));
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        GifCreaterThread thread;
        QVERIFY(runToEnd(&thread, picturesJob("impossible.gif", 300)));
        QCOMPARE(thread.outcome, JobOutcome::CannotFit);
        QVERIFY(thread.smallestBytes > 300);
        QCOMPARE(readFile(path), QByteArray("earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
        QCOMPARE(QDir::temp().entryList({"lumorra-sample*"}, QDir::AllEntries), QStringList());
    }

    // Without frames there is nothing to make smaller: the empty GIF, when it fits.
    void emptyJobUnderALimit()
    {
        GifCreaterThread thread;
        GifJobChoices choices;
        choices.maxBytes = 39;
        const QString path = dir.filePath("empty.gif");
        QVERIFY(runToEnd(&thread, makeGifJob(path, {}, choices)));
        QCOMPARE(thread.outcome, JobOutcome::Completed);
        QCOMPARE(readFile(path).size(), 19 + 19 + 1);
        QVERIFY(QFile::remove(path));
        choices.maxBytes = 38;
        QVERIFY(runToEnd(&thread, makeGifJob(path, {}, choices)));
        QCOMPARE(thread.outcome, JobOutcome::CannotFit);
        QVERIFY(!QFile::exists(path));
        // The fitter itself, as the page's estimate asks it, has nothing to sample.
        const GifJob empty = makeGifJob(path, {}, choices);
        SizeFitter fitter(empty, [] { return false; }, [](int) {});
        qint64 estimate = -1;
        QVERIFY(fitter.estimateAsItIs(&estimate) && estimate >= 0 && estimate < 39);
    }
};

QTEST_GUILESS_MAIN(TestSizeLimit)
#include "tst_sizelimit.moc"
