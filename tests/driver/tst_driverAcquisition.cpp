// Acquisitions through the driver's thread and callback: counts, layout, start and stop
// kinds, stopping, lost connections, overflow and the instrument's shadow copy.
#include "acquisitionRecorder.h"
#include "testInstrument.h"
#include "ts2900.h"
#include "ts4720.h"
#include "ts4720_ext.h"

#include <QtTest>

#include <cmath>
#include <numeric>

namespace {
const int kArea = 4;
const int kWaitMs = 20000; // only reached when something is broken

ViInt16 stateOf(ViSession vi)
{
    ViInt16 state = -1;
    ts4720_checkAcquisition(vi, &state, VI_NULL);
    return state;
}

bool strictlyIncreasing(const std::vector<long long> &t)
{
    return std::adjacent_find(t.begin(), t.end(), std::greater_equal<long long>()) == t.end();
}
// Channels 2, 5 (open) and 7 at 100 °C, NaN and 300 °C (type K), laid out channel by
// channel; the voltage and the cold junction where the format has them.
bool fixedLayout(const RecordedBlock &b, int format)
{
    const int vpc = 1 + (format & 2 ? 1 : 0) + (format & 4 ? 1 : 0), n = b.scansRead;
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < n; ++i) {
            const double *v = &b.data[size_t((n * k + i) * vpc)];
            bool ok = true;
            for (int j = 0; j < vpc; ++j)
                ok = ok && (k == 1) == std::isnan(v[j]);
            if (k != 1) {
                ok = ok && std::fabs(v[0] - (k == 0 ? 100.0 : 300.0)) < 0.01;
                if (format & 2) // about 3.1 mV at 100 °C, 11.2 mV at 300 °C
                    ok = ok && v[1] > (k == 0 ? 2.0 : 10.0) && v[1] < (k == 0 ? 4.0 : 12.5);
                if (format & 4)
                    ok = ok && v[vpc - 1] > 20.0 && v[vpc - 1] < 28.0;
            }
            if (!ok) {
                qWarning("channel %d, scan %d: %g %g %g", k, i, v[0], v[vpc > 1 ? 1 : 0], v[vpc - 1]);
                return false;
            }
        }
    }
    return true;
}
} // namespace

class tst_driverAcquisition : public QObject {
    Q_OBJECT

    std::unique_ptr<testInstrument> m_rig;
    tssim::Instrument *m_instrument = nullptr;
    ViSession m_vi = 0;

private slots:
    void init();
    void fixedNumberOfScans_data();
    void fixedNumberOfScans();
    void startAndStopKinds_data();
    void startAndStopKinds();
    void callbackAtExactlyThreshold();
    void callsBesideTheCallback();
    void stopAndRestart_data();
    void stopAndRestart();
    void endedByAFault_data();
    void endedByAFault();
    void shadowCopyMatchesDelivery();
    void readWithoutCallback();
    void layoutChangedAfterTheStop();
};

void tst_driverAcquisition::init()
{
    m_rig = std::make_unique<testInstrument>();
    QVERIFY(m_rig->start(kArea));
    m_instrument = m_rig->instrument.get();
    m_vi = m_rig->vi;
}

void tst_driverAcquisition::fixedNumberOfScans_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("scans");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("stamps"); // a timestamp buffer is passed
    QTest::newRow("1000 Hz, 1234 scans, blocks of 250, temperature") << 1000.0 << 1234 << 250 << 1 << true;
    QTest::newRow("100 Hz, 7 scans, blocks of 1, with voltage") << 100.0 << 7 << 1 << 3 << true;
    QTest::newRow("50 Hz, 3 scans, fewer than a block, with cold junction, no timestamp buffer")
        << 50.0 << 3 << 5 << 5 << false;
    QTest::newRow("200 Hz, 60 scans, blocks of 25, all three") << 200.0 << 60 << 25 << 7 << true;
}

// The count, the blocks and the layout.
void tst_driverAcquisition::fixedNumberOfScans()
{
    QFETCH(double, rate);
    QFETCH(int, scans);
    QFETCH(int, threshold);
    QFETCH(int, format);
    QFETCH(bool, stamps);
    const int vpc = 1 + (format & 2 ? 1 : 0) + (format & 4 ? 1 : 0);
    m_instrument->command("SIM:CHAN:TEMP 2,100;:SIM:CHAN:TEMP 7,300;:SIM:CHAN:OPEN 5,1");
    QVERIFY(configure(m_vi, {2, 5, 7}, format, 0, rate, scans, 0, 0));
    AcquisitionRecorder recorder(m_vi, threshold, 3, vpc, stamps);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, threshold, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QVERIFY(recorder.waitForEnd(kWaitMs));
    QCOMPARE(recorder.scans(), (long long)scans);
    QCOMPARE(recorder.endCallbacks(), 1);
    std::vector<RecordedBlock> blocks = recorder.blocks();
    QVERIFY(blocks.back().daEnd);
    QCOMPARE(blocks.back().remaining, 0);
    for (const RecordedBlock &b : blocks) {
        QVERIFY(b.status >= 0);
        QVERIFY(b.scansRead <= threshold);
        QVERIFY(b.daEnd || b.backlog >= threshold);
        QVERIFY(fixedLayout(b, format));
    }
    if (stamps) {
        QCOMPARE(recorder.timestamps().size(), size_t(scans));
        QVERIFY(evenlySpaced(recorder.timestamps(), rate));
    }
    QCOMPARE(stateOf(m_vi), ViInt16(ts4720_ACQ_IDLE));
    QCOMPARE(ts4720_stopAcquisition(m_vi), VI_SUCCESS);
}

void tst_driverAcquisition::startAndStopKinds_data()
{
    QTest::addColumn<ViInt16>("clock");
    QTest::addColumn<ViInt16>("start");
    QTest::addColumn<ViInt16>("stop");
    QTest::addColumn<int>("scans");     // programmed; 0 with a trigger stop
    QTest::addColumn<QString>("begin"); // what makes it run: hooks, or "alarm"
    QTest::addColumn<QString>("end");   // what ends it after the first block, or ""
    const QString p1 = "SIM:LINE:PULS 1";
    QTest::newRow("internal clock, immediate") << ViInt16(0) << ViInt16(0) << ViInt16(0) << 20 << "" << "";
    QTest::newRow("PTP clock, immediate") << ViInt16(1) << ViInt16(0) << ViInt16(0) << 20 << "" << "";
    QTest::newRow("PTP alarm start") << ViInt16(0) << ViInt16(1) << ViInt16(0) << 10 << "alarm" << "";
    QTest::newRow("line 1 start") << ViInt16(0) << ViInt16(2) << ViInt16(0) << 10 << p1 << "";
    QTest::newRow("line 2 start") << ViInt16(0) << ViInt16(3) << ViInt16(0) << 10 << "SIM:LINE:PULS 2" << "";
    QTest::newRow("stop by pulse") << ViInt16(0) << ViInt16(2) << ViInt16(1) << 0 << p1 << p1;
    QTest::newRow("stop by gate") << ViInt16(0) << ViInt16(2) << ViInt16(2) << 0 << "SIM:LINE:STAT 1,1"
                                  << "SIM:LINE:STAT 1,0";
    QTest::newRow("external clock on line 1") << ViInt16(2) << ViInt16(0) << ViInt16(0) << 30
                                              << "SIM:LINE:CLOC 1,500" << "";
    QTest::newRow("clock on line 2, start on line 1") << ViInt16(3) << ViInt16(2) << ViInt16(0) << 25
                                                      << p1 + ";:SIM:LINE:CLOC 2,500" << "";
}

void tst_driverAcquisition::startAndStopKinds()
{
    QFETCH(ViInt16, clock);
    QFETCH(ViInt16, start);
    QFETCH(ViInt16, stop);
    QFETCH(int, scans);
    QFETCH(QString, begin);
    QFETCH(QString, end);
    const double rate = 100.0;
    QVERIFY(configure(m_vi, {1, 4}, 1, clock, rate, scans, start, stop));
    ViUInt32 alarm = 0;
    if (begin == "alarm") {
        QCOMPARE(ts4720_getPTPTime(m_vi, &alarm, VI_NULL), VI_SUCCESS);
        alarm += 2;
        QCOMPARE(ts4720_setPTPAlarm(m_vi, alarm, 0), VI_SUCCESS);
    }
    AcquisitionRecorder recorder(m_vi, 5, 2, 1);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 5, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QCOMPARE(stateOf(m_vi), ViInt16(start == 0 ? ts4720_ACQ_RUNNING : ts4720_ACQ_ARMED));
    if (begin.startsWith("SIM"))
        m_instrument->command(begin.toStdString());
    if (!end.isEmpty()) {
        QVERIFY(recorder.waitForCallbacks(1, kWaitMs));
        m_instrument->command(end.toStdString());
    }
    QVERIFY(recorder.waitForEnd(kWaitMs));
    m_instrument->command("SIM:LINE:CLOC 1,0;:SIM:LINE:CLOC 2,0");
    std::vector<long long> stamps = recorder.timestamps();
    if (scans > 0)
        QCOMPARE(stamps.size(), size_t(scans));
    else
        QVERIFY(stamps.size() >= 5);
    QVERIFY(strictlyIncreasing(stamps));
    QVERIFY(evenlySpaced(stamps, clock < 2 ? rate : 500.0)); // an external clock runs at 500 Hz
    if (alarm != 0)
        QVERIFY(stamps.front() >= (long long)alarm * 1000000000LL);
    QCOMPARE(recorder.endCallbacks(), 1);
    QCOMPARE(stateOf(m_vi), ViInt16(ts4720_ACQ_IDLE));
}

// Exactly `threshold` scans waiting make a callback: an external clock's pulses count them.
void tst_driverAcquisition::callbackAtExactlyThreshold()
{
    QVERIFY(configure(m_vi, {3}, 1, 2, 1000.0, 0, 0, 0));
    AcquisitionRecorder recorder(m_vi, 5, 1, 1);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 5, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    m_instrument->command("SIM:LINE:PULS 1,5");
    QVERIFY(recorder.waitForCallbacks(1, kWaitMs));
    QCOMPARE(recorder.blocks().front().backlog, 5);
    QCOMPARE(recorder.scans(), 5LL);
}

void tst_driverAcquisition::callsBesideTheCallback()
{
    // The panel keeps calling on the session while the driver's thread reads on it.
    QVERIFY(configure(m_vi, {1, 2, 3}, 7, 0, 500.0, 400, 0, 0));
    AcquisitionRecorder recorder(m_vi, 25, 3, 3);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 25, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    int calls = 0, failures = 0;
    while (recorder.endCallbacks() == 0 && calls < 100000) {
        ViUInt32 seconds = 0;
        ViInt16 clock = -1;
        if (ts4720_getPTPTime(m_vi, &seconds, VI_NULL) != VI_SUCCESS
            || ts4720_getAcquisitionMode(m_vi, &clock, VI_NULL, VI_NULL, VI_NULL, VI_NULL, VI_NULL) != VI_SUCCESS
            || clock != 0)
            ++failures;
        ++calls;
    }
    QVERIFY(recorder.waitForEnd(kWaitMs));
    QCOMPARE(failures, 0);
    QCOMPARE(recorder.scans(), 400LL);
    QVERIFY(evenlySpaced(recorder.timestamps(), 500.0));
}

void tst_driverAcquisition::stopAndRestart_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("between callbacks") << "between";
    QTest::newRow("while a callback runs") << "during";
    QTest::newRow("from inside the callback") << "inside";
    QTest::newRow("by closing the session") << "close";
}

void tst_driverAcquisition::stopAndRestart()
{
    QFETCH(QString, where);
    QVERIFY(configure(m_vi, {1}, 1, 0, 1000.0, 0, 0, 0));
    AcquisitionRecorder recorder(m_vi, 20, 1, 1);
    std::atomic<bool> inside{false}, finished{false};
    std::atomic<ViStatus> stopStatus{1};
    recorder.hook = [&](ViSession vi, int call) {
        if (where == "during" && call == 1) {
            inside = true;
            ts2900_delay(300);
            finished = true;
        } else if (where == "inside" && call == 2) {
            ts2900_delay(100); // full blocks wait when it stops
            stopStatus = ts4720_stopAcquisition(vi);
        }
    };
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 20, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QVERIFY(recorder.waitForCallbacks(where == "during" ? 1 : where == "inside" ? 2 : 3, kWaitMs));
    if (where == "inside") {
        for (int i = 0; i < 200 && stopStatus == 1; ++i)
            ts2900_delay(10);
        QCOMPARE(ViStatus(stopStatus), VI_SUCCESS);
    } else {
        QCOMPARE(ts4720_startAcquisitionEx(m_vi, 20, AcquisitionRecorder::callback, &recorder),
                 TS4720_ERROR_ACQ_RUNNING);
        QCOMPARE(bool(inside), where == "during");
        QCOMPARE(where == "close" ? ts4720_close(m_vi) : ts4720_stopAcquisition(m_vi), VI_SUCCESS);
        QCOMPARE(bool(finished), where == "during");
    }
    const int calls = recorder.callbacks();
    QCOMPARE(m_instrument->command("ACQ:STAT?").substr(0, 2), std::string("0,"));
    ts2900_delay(200);
    QCOMPARE(recorder.callbacks(), calls); // no callback after the stop
    if (where == "inside")
        QCOMPARE(calls, 2);
    QCOMPARE(recorder.endCallbacks(), 0);
    QVERIFY(strictlyIncreasing(recorder.timestamps()));
    if (where == "close") {
        m_rig->vi = 0; // already closed
        return;
    }

    // A second acquisition on the same session (it joins an ended thread).
    QCOMPARE(ts4720_setAcquisitionMode(m_vi, 0, 1000.0, 120, 0, 0, VI_TRUE), VI_SUCCESS);
    AcquisitionRecorder again(m_vi, 50, 1, 1);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 50, AcquisitionRecorder::callback, &again), VI_SUCCESS);
    QVERIFY(again.waitForEnd(kWaitMs));
    QCOMPARE(again.scans(), 120LL);
    QCOMPARE(recorder.callbacks(), calls);
}

void tst_driverAcquisition::endedByAFault_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<ViStatus>("reported"); // by the next call; 0: any link failure
    QTest::newRow("connection dropped") << "drop" << ViStatus(0);
    QTest::newRow("instrument gone") << "stop" << ViStatus(0);
    QTest::newRow("backlog overflow") << "overflow" << ViStatus(TS4720_ERROR_ACQ_OVERFLOW);
    QTest::newRow("shadow-copy disk full") << "disk full" << ViStatus(TS4720_ERROR_INSTRUMENT);
}

// An acquisition ended by a fault: all scans taken are delivered, then the fault is reported
// once; one the instrument reported (an error, not a warning) also by the state query.
void tst_driverAcquisition::endedByAFault()
{
    QFETCH(QString, fault);
    QFETCH(ViStatus, reported);
    if (fault == "overflow")
        m_instrument->command("SIM:ACQ:CAP 30");
    if (fault == "disk full")
        m_instrument->command("ATTR 309,1;:SIM:DISK:FREE 1,2");
    const double rate = fault == "overflow" ? 1000.0 : 100.0;
    QVERIFY(configure(m_vi, {1, 2}, 1, 0, rate, 0, 0, 0));
    QCOMPARE(ts4720_setTimeout(m_vi, 2000), VI_SUCCESS);
    QCOMPARE(ts4720_setReconnectGracePeriod(m_vi, 0), VI_SUCCESS); // a broken link ends the run
    const int threshold = fault == "overflow" ? 100 : 10; // more than the backlog holds
    AcquisitionRecorder recorder(m_vi, threshold, 2, 1);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, threshold, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QVERIFY(recorder.waitForCallbacks(reported ? 0 : 2, kWaitMs));
    if (fault == "stop")
        m_instrument->stop();
    else if (fault == "drop")
        QVERIFY(sendOverNetwork(*m_instrument, "SIM:DROP"));
    QVERIFY(recorder.waitForEnd(kWaitMs));
    std::vector<RecordedBlock> blocks = recorder.blocks();
    QCOMPARE(blocks.back().daEnd, ViInt16(1));
    QCOMPARE(blocks.back().remaining, 0);
    std::vector<long long> stamps = recorder.timestamps();
    QVERIFY(fault == "overflow" ? stamps.size() == 30 : stamps.size() >= 20);
    QVERIFY(reported || blocks.back().status < 0);
    QVERIFY(evenlySpaced(stamps, rate));
    ViBoolean enabled = 0;
    ViStatus status = ts4720_getChannelState(m_vi, 1, &enabled);
    QVERIFY(reported ? status == reported : ts4720_isConnectionFailure(status) == VI_TRUE);
    QVERIFY(!statusText(m_vi, status).empty());
    if (reported) {
        // It says what happened: the instrument stopped, and no scan was dropped.
        const std::string text = statusText(m_vi, status);
        QVERIFY2(text.find(fault == "disk full" ? "-250" : "full") != std::string::npos
                     && text.find("lost") == std::string::npos, text.c_str());
        QCOMPARE(ts4720_getChannelState(m_vi, 1, &enabled), VI_SUCCESS);
        ViInt16 state = -1;
        QCOMPARE(ts4720_checkAcquisition(m_vi, &state, VI_NULL), reported);
        QCOMPARE(state, ViInt16(ts4720_ACQ_IDLE));
    }
    // After a link failure the stop is not even sent: the link is down.
    ViStatus stopped = ts4720_stopAcquisition(m_vi);
    QCOMPARE(stopped, reported ? ViStatus(VI_SUCCESS) : TS4720_ERROR_CONNECTION_DOWN);
    QCOMPARE(recorder.endCallbacks(), 1);
}

void tst_driverAcquisition::shadowCopyMatchesDelivery()
{
    m_instrument->command("SIM:CHAN:OPEN 5,1");
    QVERIFY(configure(m_vi, {2, 5, 7}, 7, 0, 100.0, 40, 0, 0));
    QCOMPARE(ts4720_setAttribute(m_vi, ts4720_ATTR_SHADOW_COPY, 1), VI_SUCCESS);
    const QStringList before = storedFileList(m_vi).split('\n');
    AcquisitionRecorder recorder(m_vi, 10, 3, 3);
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 10, AcquisitionRecorder::callback, &recorder), VI_SUCCESS);
    QVERIFY(recorder.waitForEnd(kWaitMs));
    QStringList added = storedFileList(m_vi).split('\n');
    for (const QString &file : before)
        added.removeOne(file);
    QCOMPARE(added.size(), 1);
    QCOMPARE(added.first().section(',', 1, 1), QString("RAM"));
    QTemporaryDir dir;
    const QString path = dir.filePath("shadow.csv");
    QCOMPARE(ts4720_downloadFile(m_vi, ts4720_STORAGE_RAM, qPrintable(added.first().section(',', 0, 0)),
                                 qPrintable(path)), VI_SUCCESS);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    int column = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith("Timestamp,"))
            column = i;
    QVERIFY(column >= 0);
    lines = lines.mid(column + 1);
    QCOMPARE(lines.size(), 40);
    int row = 0;
    for (const RecordedBlock &b : recorder.blocks()) {
        for (int i = 0; i < b.scansRead; ++i, ++row) {
            const QStringList f = lines[row].split(',');
            QCOMPARE(f.value(0), QString::asprintf("%d.%09d", b.stamps[2 * i], b.stamps[2 * i + 1]));
            for (int k = 0; k < 3; ++k) {
                for (int j = 0; j < 3; ++j) {
                    const double delivered = b.data[size_t((b.scansRead * k + i) * 3 + j)];
                    const QString text = f.value(1 + k * 3 + j);
                    if (std::isnan(delivered))
                        QCOMPARE(text, QString("nan"));
                    else
                        QVERIFY2(std::fabs(text.toDouble() - delivered) < 1e-5, qPrintable(lines[row]));
                }
            }
        }
    }
}

void tst_driverAcquisition::readWithoutCallback()
{
    QVERIFY(configure(m_vi, {1, 2}, 3, 0, 100.0, 0, 0, 0));
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 5, nullptr, nullptr), VI_SUCCESS);
    std::vector<ViReal64> data(5 * 2 * 2);
    std::vector<ViInt32> stamps(10);
    ViInt32 remaining = -1, scansRead = -1;
    // Waits until the five scans are there.
    QCOMPARE(ts4720_readAcquisition(m_vi, 5, kWaitMs, &remaining, &scansRead, data.data(), stamps.data()), VI_SUCCESS);
    QCOMPARE(scansRead, 5);
    QVERIFY(remaining >= 0);
    QCOMPARE(ts4720_readAcquisition(m_vi, 0, 0, &remaining, &scansRead, data.data(), VI_NULL), VI_SUCCESS);
    QCOMPARE(scansRead, 0);
    QCOMPARE(ts4720_stopAcquisition(m_vi), VI_SUCCESS);
    QCOMPARE(stateOf(m_vi), ViInt16(ts4720_ACQ_IDLE));
}

// Scans left after a stop are read in the layout of their start, or not at all once the
// caller changed the data format: never in more values than the caller's buffer holds.
void tst_driverAcquisition::layoutChangedAfterTheStop()
{
    std::vector<int> all(48);
    std::iota(all.begin(), all.end(), 1);
    QVERIFY(configure(m_vi, all, 7, 0, 1000.0, 0, 0, 0));
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 1, nullptr, nullptr), VI_SUCCESS);
    ts2900_delay(50);
    QCOMPARE(ts4720_stopAcquisition(m_vi), VI_SUCCESS);
    const ViInt32 scans = 4;
    std::vector<ViReal64> data(size_t(scans * 48 * 3) + 16, -1234.0);
    ViInt32 remaining = -1, scansRead = -1;
    QCOMPARE(ts4720_readAcquisition(m_vi, 1, 0, &remaining, &scansRead, data.data(), VI_NULL), VI_SUCCESS);
    QCOMPARE(scansRead, 1);
    QVERIFY(remaining >= scans);
    QCOMPARE(data[48 * 3], -1234.0); // one scan of 48 channels with 3 values each
    QCOMPARE(ts4720_setAttribute(m_vi, ts4720_ATTR_DATA_FORMAT, 1), VI_SUCCESS);
    std::fill(data.begin(), data.end(), -1234.0);
    QCOMPARE(ts4720_readAcquisition(m_vi, scans, 0, &remaining, &scansRead, data.data(), VI_NULL),
             TS4720_ERROR_ACQ_NOT_RUNNING);
    QCOMPARE(scansRead, 0);
    QVERIFY(std::all_of(data.begin(), data.end(), [](double v) { return v == -1234.0; }));
}

QTEST_GUILESS_MAIN(tst_driverAcquisition)
#include "tst_driverAcquisition.moc"
