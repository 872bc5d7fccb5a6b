// The acquisition engine on a synthetic clock: scan counts and instants by elapsed time,
// external clock pulses, line starts and stops, the PTP alarm, and backlog overflow.
#include "acquisitionEngine.h"

#include <QtTest>

using tssim::AcquisitionEngine;

namespace {

const long long second = 1000000000LL;

// Every scan holds one value per channel: its own instant in seconds, so order can be checked.
AcquisitionEngine::Setup setup(int clock, double rate, long long scans, int start, int stop)
{
    AcquisitionEngine::Setup s;
    s.mode.clockSource = clock;
    s.mode.scanRate = rate;
    s.mode.scans = scans;
    s.mode.startMode = start;
    s.mode.stop = stop;
    s.channels = {1, 2};
    s.sampler = [](long long t, double *out) { out[0] = out[1] = static_cast<double>(t) / 1e9; };
    return s;
}

} // namespace

class tst_simEngine : public QObject {
    Q_OBJECT

private slots:
    void internalClockByElapsedTime_data();
    void internalClockByElapsedTime();
    void externalClockPulsesAreScans();
    void lineStartWithPulseOrGateStop_data();
    void lineStartWithPulseOrGateStop();
    void alarmStart();
    void overflowEndsWithErrorAndKeepsScans();
};

void tst_simEngine::internalClockByElapsedTime_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<qlonglong>("scans");
    QTest::addColumn<qlonglong>("elapsedMs");
    QTest::addColumn<qlonglong>("expected");
    QTest::addColumn<int>("state");
    QTest::newRow("10 Hz, 1 s, unbounded") << 10.0 << 0LL << 1000LL << 11LL << 2;
    QTest::newRow("10 Hz, just before the second scan") << 10.0 << 0LL << 99LL << 1LL << 2;
    QTest::newRow("3 Hz, 1 s") << 3.0 << 0LL << 1000LL << 4LL << 2;
    QTest::newRow("1000 Hz, 0.5 s") << 1000.0 << 0LL << 500LL << 501LL << 2;
    QTest::newRow("fixed count reached") << 100.0 << 25LL << 10000LL << 25LL << 0;
    QTest::newRow("fixed count, still running") << 100.0 << 25LL << 100LL << 11LL << 2;
}

void tst_simEngine::internalClockByElapsedTime()
{
    QFETCH(double, rate);
    QFETCH(qlonglong, scans);
    QFETCH(qlonglong, elapsedMs);
    QFETCH(qlonglong, expected);
    QFETCH(int, state);
    AcquisitionEngine engine;
    const long long t0 = 1000 * second;
    engine.start(setup(0, rate, scans, 0, 0), t0);
    // Asked in two steps: lazily produced scans must not depend on when anyone looked.
    engine.advance(t0 + elapsedMs * 1000000LL / 2);
    engine.advance(t0 + elapsedMs * 1000000LL);
    QCOMPARE(engine.backlog(), expected);
    QCOMPARE(int(engine.state()), state);
    QCOMPARE(engine.errorCode(), 0);
    std::vector<long long> times;
    std::vector<double> values;
    QCOMPARE(engine.take(1000000, &times, &values), size_t(expected));
    QCOMPARE(values.size(), size_t(2 * expected));
    for (size_t i = 0; i < times.size(); ++i) {
        QCOMPARE(times[i], t0 + static_cast<long long>(std::llround(i * 1e9 / rate)));
        QCOMPARE(values[2 * i], static_cast<double>(times[i]) / 1e9);
    }
}

void tst_simEngine::externalClockPulsesAreScans()
{
    AcquisitionEngine engine;
    engine.setClock(1, 100.0, 0);
    engine.start(setup(2, 1000.0, 0, 0, 0), 0);
    engine.advance(second);
    QCOMPARE(engine.backlog(), 100LL); // pulses at 10 ms .. 1000 ms
    engine.pulse(1, 3, second);
    QCOMPARE(engine.backlog(), 103LL);
    engine.pulse(2, 5, second); // the other line is no clock
    QCOMPARE(engine.backlog(), 103LL);
    engine.setClock(1, 0.0, second);
    engine.advance(5 * second);
    QCOMPARE(engine.backlog(), 103LL);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Running));
}

void tst_simEngine::lineStartWithPulseOrGateStop_data()
{
    QTest::addColumn<int>("stop");
    QTest::newRow("stop on the next pulse") << 1;
    QTest::newRow("stop at the end of the gate") << 2;
}

void tst_simEngine::lineStartWithPulseOrGateStop()
{
    QFETCH(int, stop);
    AcquisitionEngine engine;
    engine.start(setup(0, 10.0, 1000, 3, stop), 0);
    engine.advance(5 * second);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Armed));
    QCOMPARE(engine.backlog(), 0LL);
    engine.pulse(1, 1, 5 * second); // the other line does not start it
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Armed));
    if (stop == 1)
        engine.pulse(2, 1, 5 * second);
    else
        engine.hold(2, true, 5 * second);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Running));
    engine.advance(6 * second);
    QCOMPARE(engine.backlog(), 11LL);
    if (stop == 1)
        engine.pulse(2, 1, 6 * second + 50000000LL);
    else
        engine.hold(2, false, 6 * second + 50000000LL);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Idle));
    engine.advance(20 * second);
    QCOMPARE(engine.backlog(), 11LL);
    QCOMPARE(engine.errorCode(), 0);
}

void tst_simEngine::alarmStart()
{
    AcquisitionEngine engine;
    AcquisitionEngine::Setup s = setup(1, 10.0, 0, 1, 0);
    s.alarmNs = 2 * second;
    engine.start(s, 0);
    engine.advance(second);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Armed));
    engine.advance(3 * second);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Running));
    std::vector<long long> times;
    std::vector<double> values;
    QCOMPARE(engine.take(100, &times, &values), size_t(11));
    QCOMPARE(times.front(), 2 * second);
}

void tst_simEngine::overflowEndsWithErrorAndKeepsScans()
{
    AcquisitionEngine engine;
    engine.setCapacity(5);
    engine.start(setup(0, 100.0, 0, 0, 0), 0);
    engine.advance(second);
    QCOMPARE(int(engine.state()), int(AcquisitionEngine::Idle));
    QCOMPARE(engine.errorCode(), int(AcquisitionEngine::OverflowError));
    QCOMPARE(engine.backlog(), 5LL);
    std::vector<long long> times;
    std::vector<double> values;
    engine.take(100, &times, &values);
    // The first five scans, none skipped.
    QCOMPARE(times, (std::vector<long long>{0, 10000000, 20000000, 30000000, 40000000}));
    engine.advance(2 * second);
    QCOMPARE(engine.backlog(), 0LL);
}

QTEST_GUILESS_MAIN(tst_simEngine)
#include "tst_simEngine.moc"
