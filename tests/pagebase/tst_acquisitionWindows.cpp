// The plot windows: sizes, zero fill, counters reset by a new allocation, sizes refused.
#include "acquisitionWindows.h"

#include <QtTest>

class tst_acquisitionWindows : public QObject {
    Q_OBJECT
private slots:
    void allocate_data();
    void allocate();
};

void tst_acquisitionWindows::allocate_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("scansOnPlot");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("dataLength"); // 0: refused
    QTest::newRow("plot longer than a block") << 48 << 1000 << 250 << 1000;
    QTest::newRow("block longer than the plot") << 16 << 100 << 250 << 250;
    QTest::newRow("no channel: the time window alone") << 0 << 10 << 1 << 10;
    QTest::newRow("more channels than a model has") << 49 << 10 << 1 << 0;
    QTest::newRow("no plot length") << 16 << 0 << 1 << 0;
    QTest::newRow("negative threshold") << 16 << 10 << -1 << 0;
}

// Allocated twice, over windows written and counters advanced by an earlier acquisition.
void tst_acquisitionWindows::allocate()
{
    QFETCH(int, channels);
    QFETCH(int, scansOnPlot);
    QFETCH(int, threshold);
    QFETCH(int, dataLength);
    acquisitionWindows w;
    QVERIFY(w.allocate(16, 20, 5));
    w.window(15)[19] = 21.5;
    w.timeWindow()[0] = 3.0;
    w.plotDataPtr = 7;
    w.plotOffset = 20;
    w.backlog = 3;
    w.running = true;

    QCOMPARE(w.allocate(channels, scansOnPlot, threshold), dataLength > 0);
    QCOMPARE(w.plotDataPtr + w.plotOffset + w.backlog, 0);
    QVERIFY(!w.running);
    QCOMPARE(w.dataLength(), dataLength);
    QCOMPARE(w.channelCount(), dataLength > 0 ? channels : 0);
    QCOMPARE(w.timeWindow() != nullptr, dataLength > 0);
    QVERIFY(!w.window(-1) && !w.window(w.channelCount()));
    for (int slot = 0; slot < w.channelCount(); ++slot) {
        QVERIFY(w.window(slot));
        QCOMPARE(std::count(w.window(slot), w.window(slot) + dataLength, 0.0), qint64(dataLength));
    }
    if (dataLength > 0)
        QCOMPARE(std::count(w.timeWindow(), w.timeWindow() + dataLength, 0.0), qint64(dataLength));

    w.free();
    QCOMPARE(w.dataLength(), 0);
    QVERIFY(!w.window(0) && !w.timeWindow());
}

QTEST_GUILESS_MAIN(tst_acquisitionWindows)
#include "tst_acquisitionWindows.moc"
