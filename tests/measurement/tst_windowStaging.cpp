// The Waveforms view's copy of the plot windows, taken piece by piece while a run fills and
// scrolls them, must always equal the windows themselves.
#include "acquisitionRun.h"
#include "acquisitionWindows.h"
#include "windowStaging.h"

#include <QtTest>

class tst_windowStaging : public QObject {
    Q_OBJECT
private slots:
    void followsTheWindows_data();
    void followsTheWindows();
};

void tst_windowStaging::followsTheWindows_data()
{
    QTest::addColumn<int>("blocksPerRedraw");
    QTest::addColumn<bool>("timestamps");
    QTest::newRow("every block") << 1 << false;
    QTest::newRow("every second block, timestamps") << 2 << true;
    QTest::newRow("every third block") << 3 << false;
    QTest::newRow("more than a window between redraws") << 5 << true;
}

void tst_windowStaging::followsTheWindows()
{
    QFETCH(int, blocksPerRedraw);
    QFETCH(bool, timestamps);
    acquisitionRun run;
    QVERIFY(run.allocateBuffers(4, 10, 3)); // plot length 10, blocks of 3 scans
    runPlan plan;
    plan.demo = true;
    plan.threshold = 3;
    plan.scanRate = 7;
    plan.timestamps = timestamps;
    plan.channels = {2, 4};
    run.begin(plan, 10);
    double live[TS4720_MAX_CHANNELS] = {};
    windowStaging staging;
    for (int block = 1; block <= 16; ++block) {
        live[1] = block;
        live[3] = -block;
        run.pumpDemo(live);
        if (block % blocksPerRedraw)
            continue;
        const std::lock_guard<std::mutex> locker(acquisitionDataLock());
        const acquisitionWindows &w = plotWindows();
        const int available = w.plotOffset != 0 ? w.plotLength : w.plotDataPtr;
        staging.take(w, 2, available, false);
        staging.apply();
        QCOMPARE(staging.available(), available);
        for (int p = 0; p < 10; ++p)
            QCOMPARE(staging.time()[p], w.timeWindow()[p]);
        for (int k = 0; k < 2; ++k)
            for (int p = 0; p < available; ++p)
                QCOMPARE(staging.window(k)[p], w.window(k)[p]);
    }
}

QTEST_MAIN(tst_windowStaging)
#include "tst_windowStaging.moc"
