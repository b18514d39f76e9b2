// The level steering of a write under a size limit, against frames whose cost the sample
// misjudged: the GIF ends under the limit and near it, the level moving in small steps.
#include "workers/levelcurve.h"
#include "workers/levelsteering.h"

#include <QtTest>
#include <functional>

namespace {

const int Frames = 60;
const int Planned = 60;
const qint64 FirstBytes = 100000;
const double LaterBytes = 50000;
// What the sample tells at the planned level, 91 % of the limit.
const qint64 Limit = qint64((FirstBytes + (Frames - 1) * LaterBytes) / 0.91);

struct Write
{
    qint64 bytes = 0;
    bool cut = false;
    QVector<int> levels;
};

// A write whose later frame f costs truth(f) times what the sample said, following the
// levels with truePower; the file's bytes are known two frames late, as the encoder settles
// a frame's write only when the frame after the next one starts.
Write simulate(const std::function<double(int)> &truth, double truePower, int lowest,
               int highest)
{
    SampleSize cost;
    cost.firstBytes = FirstBytes;
    cost.laterBytes = {LaterBytes};
    LevelSteering steering(cost, Planned, Frames, Frames, Limit, lowest, highest,
                           UsualLevelPower);
    Write write;
    QVector<qint64> frameBytes;
    int level = Planned;
    for (int f = 0; f < Frames; ++f) {
        write.levels << level;
        frameBytes << (f == 0 ? FirstBytes
                              : qint64(LaterBytes * truth(f)
                                       * levelBytesFactor(level, Planned, truePower)));
        const int settled = std::max(0, f - 1);
        qint64 bytes = 0;
        for (int k = 0; k < settled; ++k)
            bytes += frameBytes[k];
        if (steering.overLimit(settled, bytes)) {
            write.cut = true;
            return write;
        }
        level = steering.nextLevel(f + 1, settled, bytes);
    }
    for (qint64 bytes : frameBytes)
        write.bytes += bytes;
    write.bytes += 1; // the trailer
    return write;
}

} // namespace

class TestLevelSteering : public QObject
{
    Q_OBJECT

private slots:
    void endsNearTheLimit_data()
    {
        QTest::addColumn<double>("from");   // what the first later frames cost, times the sample
        QTest::addColumn<double>("to");     // what the last ones cost
        QTest::addColumn<double>("power");  // how the frames follow the level
        QTest::newRow("as sampled") << 1.0 << 1.0 << 0.5;
        QTest::newRow("dearer") << 1.25 << 1.25 << 0.5;
        QTest::newRow("cheaper") << 0.75 << 0.75 << 0.5;
        QTest::newRow("growing, as a zoom") << 0.6 << 1.8 << 0.5;
        QTest::newRow("settling, as a screen recording") << 1.5 << 0.8 << 0.5;
        QTest::newRow("steeper curve") << 1.2 << 1.2 << 1.2;
        QTest::newRow("flatter curve") << 0.8 << 0.8 << 0.2;
    }

    void endsNearTheLimit()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, power);
        const auto truth = [&](int f) { return from + (to - from) * (f - 1) / (Frames - 2); };
        const Write write = simulate(truth, power, 40, 99);
        QVERIFY(!write.cut);
        QVERIFY2(write.bytes <= Limit && write.bytes >= 0.85 * Limit,
                 qPrintable(QString::number(double(write.bytes) / Limit)));
        for (int f = 1; f < Frames; ++f) {
            QVERIFY(qAbs(write.levels[f] - write.levels[f - 1]) <= 3);
            QVERIFY(write.levels[f] >= 40 && write.levels[f] <= 99);
            // Early frames tell too little to rise on.
            if (2 * f < Frames)
                QVERIFY(write.levels[f] <= Planned);
        }
    }

    // With nowhere to steer, the level stays and a write clearly on its way past the limit
    // stops once a third of its frames are in; one only slightly dear goes on.
    void fixedLevelStopsClearlyOver()
    {
        const Write over = simulate([](int) { return 1.3; }, 0.5, Planned, Planned);
        QVERIFY(over.cut);
        QVERIFY(over.levels.size() >= Frames / 3 && over.levels.size() < Frames / 2);
        QVERIFY(std::all_of(over.levels.begin(), over.levels.end(),
                            [](int level) { return level == Planned; }));
        const Write near = simulate([](int) { return 1.05; }, 0.5, Planned, Planned);
        QVERIFY(!near.cut);
        QVERIFY(near.bytes <= Limit);
    }
};

QTEST_APPLESS_MAIN(TestLevelSteering)
#include "tst_levelsteering.moc"
