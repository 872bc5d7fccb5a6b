// A running acquisition through a network outage of the simulated instrument: reconnection
// within the grace period, the scans lost when it passes or the backlog overflows, and
// stopping or closing while the driver reconnects.
#include "acquisitionConnection.h"
#include "acquisitionRecorder.h"
#include "testInstrument.h"
#include "ts4720_ext.h"

#include <QtTest>

#include <future>
#include <numeric>

namespace {
const int kArea = 6;
const int kWaitMs = 30000; // only reached when something is broken
const double kRate = 100.0;
const int kThreshold = 25; // a quarter second of scans

bool waitForReconnecting(ViSession vi)
{
    ViBoolean reconnecting = VI_FALSE;
    ViInt32 left = 0;
    for (int i = 0; i < kWaitMs / 10 && !reconnecting; ++i) {
        QTest::qWait(10);
        ts4720_getReconnectState(vi, &reconnecting, &left);
    }
    return reconnecting;
}

long long instant(ViUInt32 seconds, ViUInt32 nanoseconds)
{
    return static_cast<long long>(seconds) * 1000000000LL + nanoseconds;
}
} // namespace

class tst_driverReconnect : public QObject {
    Q_OBJECT

    std::unique_ptr<testInstrument> m_rig;
    ViSession m_vi = 0;

private slots:
    void init()
    {
        m_rig = std::make_unique<testInstrument>();
        QVERIFY(m_rig->start(kArea));
        m_vi = m_rig->vi;
    }
    void cleanup()
    {
        m_rig->command("SIM:NET:DOWN 0");
        m_rig.reset();
    }
    void throughAnOutage_data();
    void throughAnOutage();
    void stopOrCloseWhileReconnecting_data();
    void stopOrCloseWhileReconnecting();
};

void tst_driverReconnect::throughAnOutage_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("scans");    // programmed; 0 until stopped
    QTest::addColumn<int>("capacity"); // of the instrument's backlog; 0 as it is
    QTest::addColumn<int>("shadow");   // ATTR 309
    QTest::addColumn<int>("grace");    // seconds
    QTest::addColumn<QString>("lost"); // "": nothing; "open": from a scan on; "range": first to last
    QTest::newRow("3 s outage in a 10 s run, 48 channels") << 48 << 1000 << 0 << 0 << 60 << "";
    QTest::newRow("outage outlasts the grace period") << 4 << 0 << 0 << 1 << 1 << "open";
    QTest::newRow("backlog overflows, shadow copy") << 4 << 0 << 100 << 1 << 60 << "range";
    QTest::newRow("backlog overflows, no shadow copy") << 4 << 0 << 100 << 0 << 60 << "open";
}

// The callback gets one contiguous stream up to the outage's end or the first lost scan;
// other calls fail fast meanwhile; what was lost is named exactly.
void tst_driverReconnect::throughAnOutage()
{
    QFETCH(int, channels);
    QFETCH(int, scans);
    QFETCH(int, capacity);
    QFETCH(int, shadow);
    QFETCH(int, grace);
    QFETCH(QString, lost);
    if (capacity > 0)
        m_rig->command(QString("SIM:ACQ:CAP %1").arg(capacity));
    std::vector<int> enabled(channels);
    std::iota(enabled.begin(), enabled.end(), 1);
    QVERIFY(configure(m_vi, enabled, 1, 0, kRate, scans, 0, 0));
    QCOMPARE(ts4720_setAttribute(m_vi, ts4720_ATTR_SHADOW_COPY, shadow), VI_SUCCESS);
    QCOMPARE(ts4720_setReconnectGracePeriod(m_vi, ViUInt32(grace)), VI_SUCCESS);
    AcquisitionRecorder recorder(m_vi, kThreshold, channels, 1);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, kThreshold, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QVERIFY(recorder.waitForCallbacks(12, kWaitMs)); // about 3 s into the run
    m_rig->command("SIM:NET:DOWN 3");
    QVERIFY(waitForReconnecting(m_vi));
    ViBoolean enabledNow = 0;
    QCOMPARE(ts4720_getChannelState(m_vi, 1, &enabledNow), TS4720_ERROR_RECONNECTING);
    ViBoolean reconnecting = VI_FALSE;
    ViInt32 left = -1;
    QCOMPARE(ts4720_getReconnectState(m_vi, &reconnecting, &left), VI_SUCCESS);
    QVERIFY(left >= 0 && left <= grace);
    QVERIFY(acquisitionConnection::reconnectSecondsLeft(m_vi) >= 0); // what the LED shows
    QVERIFY(recorder.waitForEnd(kWaitMs));
    const std::vector<long long> stamps = recorder.timestamps();
    QVERIFY(evenlySpaced(stamps, kRate));
    ts4720_acquisitionLoss loss;
    QCOMPARE(ts4720_getAcquisitionLoss(m_vi, &loss), VI_SUCCESS);
    if (lost.isEmpty()) {
        QCOMPARE(recorder.scans(), (long long)scans);
        QCOMPARE(loss.cause, VI_SUCCESS);
        QCOMPARE(acquisitionConnection::lostScansText(m_vi), QString());
        QCOMPARE(recorder.blocks().back().status, VI_SUCCESS);
        return;
    }
    QVERIFY(loss.cause == TS4720_ERROR_ACQ_OVERFLOW || ts4720_isConnectionFailure(loss.cause));
    QCOMPARE(loss.firstScan, (ViInt64)recorder.scans());
    QCOMPARE(instant(loss.firstSeconds, loss.firstNanoseconds), stamps.back() + 10000000LL);
    QCOMPARE(loss.lastScan >= 0, lost == "range");
    if (lost == "range") // the shadow copy holds what the instrument took during the outage
        QVERIFY(loss.lastScan > loss.firstScan + 100 && instant(loss.lastSeconds, loss.lastNanoseconds)
                    == stamps.back() + (loss.lastScan - loss.firstScan + 1) * 10000000LL);
    QCOMPARE(loss.shadowLocation, ViInt16(shadow ? ts4720_STORAGE_RAM : -1));
    QVERIFY(!shadow || m_rig->command("ACQ:SHAD?") == QString("1,\"%1\"").arg(loss.shadowFile));
    ViChar text[TS4720_LOSS_TEXT_SIZE];
    QCOMPARE(ts4720_acquisitionLossText(&loss, text), VI_SUCCESS);
    const QString opening = lost == "range" ? QString("Scans %1 to %2 (").arg(loss.firstScan).arg(loss.lastScan)
                                            : QString("Scans from %1 (").arg(loss.firstScan);
    QVERIFY2(QString(text).startsWith(opening), text);
    QCOMPARE(acquisitionConnection::lostScansText(m_vi), QString(text)); // for the panel's status line
    QVERIFY2(!shadow || QString(text).contains(loss.shadowFile), text);
}

void tst_driverReconnect::stopOrCloseWhileReconnecting_data()
{
    QTest::addColumn<bool>("close");
    QTest::newRow("stop") << false;
    QTest::newRow("close") << true;
}

// Neither waits for the grace period nor leaves a callback behind.
void tst_driverReconnect::stopOrCloseWhileReconnecting()
{
    QFETCH(bool, close);
    QVERIFY(configure(m_vi, {1, 2}, 1, 0, kRate, 0, 0, 0));
    AcquisitionRecorder recorder(m_vi, kThreshold, 2, 1);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, kThreshold, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QVERIFY(recorder.waitForCallbacks(2, kWaitMs));
    m_rig->command("SIM:NET:DOWN 600");
    QVERIFY(waitForReconnecting(m_vi));
    const int callbacks = recorder.callbacks();
    auto ended = std::async(std::launch::async, [this, close] {
        return close ? ts4720_close(m_vi) : ts4720_stopAcquisition(m_vi);
    });
    QVERIFY(ended.wait_for(std::chrono::milliseconds(kWaitMs)) == std::future_status::ready);
    const ViStatus status = ended.get();
    QVERIFY(close ? status == VI_SUCCESS : ts4720_isConnectionFailure(status) == VI_TRUE);
    if (close)
        m_rig->vi = 0;
    QCOMPARE(recorder.callbacks(), callbacks);
    QCOMPARE(recorder.endCallbacks(), 0);
}

QTEST_GUILESS_MAIN(tst_driverReconnect)
#include "tst_driverReconnect.moc"
