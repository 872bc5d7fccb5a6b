// The polling thread in demo mode and against a simulated instrument.
#include "demoStore.h"
#include "pollingThread.h"
#include "testInstrument.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <cmath>

class tst_pollingThread : public QObject {
    Q_OBJECT
private slots:
    void init() { demoStore::clearAll(); }

    void demoPollsOncePerSecondWithState()
    {
        demoStore::setAcquisitionState(2);
        pollingThread thread("", 16, true);
        QCOMPARE(thread.acquisitionState(), qint16(-1));
        // The k-th poll can only come after k whole seconds of the thread's life, however
        // late the test itself gets to look; checked where the signal is emitted.
        QElapsedTimer clock;
        std::atomic<int> polls{0};
        std::atomic<bool> tooEarly{false};
        connect(&thread, &pollingThread::dataReady, &thread, [&] {
            if (clock.elapsed() <= 1000 * qint64(++polls))
                tooEarly = true;
        }, Qt::DirectConnection);
        QSignalSpy ready(&thread, &pollingThread::dataReady);
        clock.start();
        thread.start();
        QTRY_VERIFY_WITH_TIMEOUT(polls >= 2, 6000);
        QVERIFY(!tooEarly);
        // Scanning is off: state and time arrive, the values stay "no reading".
        const pollingSnapshot s = thread.snapshot();
        QCOMPARE(s.acquisitionState, qint16(2));
        QVERIFY(s.ptpTime > 1600000000u);
        QCOMPARE(s.values[0], pollingThread::noReading);
        thread.stop();
        QVERIFY(thread.isFinished());
    }

    // A re-open request is ignored in demo mode: there is no session to open.
    void demoValuesStartNearZeroAndOnlyDriftUp()
    {
        pollingThread thread("", 48, true);
        thread.setPollScan(true);
        thread.reInit();
        QSignalSpy ready(&thread, &pollingThread::dataReady);
        thread.start();
        QVERIFY(ready.wait(5000));
        const pollingSnapshot first = thread.snapshot();
        for (int i = 0; i < 48; ++i) {
            QVERIFY(first.values[i] >= -50.0);
            QVERIFY(first.values[i] < 50.0);
        }
        QVERIFY(ready.wait(5000));
        const pollingSnapshot second = thread.snapshot();
        for (int i = 0; i < 48; ++i) {
            const double step = second.values[i] - first.values[i];
            QVERIFY(step >= 0.0);
            QVERIFY(step < 0.1);
        }
        QCOMPARE(thread.session(), ViSession(0));
        thread.stop();
    }

    // The GUI reads snapshots while the thread publishes them; scripts/sanitize runs this
    // under the thread sanitizer, which reports a snapshot read without its lock.
    void snapshotsReadWhilePolling()
    {
        pollingThread thread("", 48, true);
        thread.setPollScan(true);
        std::atomic<int> polls{0};
        connect(&thread, &pollingThread::dataReady, &thread, [&] { ++polls; }, Qt::DirectConnection);
        QElapsedTimer clock;
        clock.start();
        thread.start();
        bool whole = true;
        while (polls < 2 && clock.elapsed() < 20000) {
            const pollingSnapshot s = thread.snapshot();
            whole = whole && (s.values[0] == pollingThread::noReading) == (s.values[47] == pollingThread::noReading);
        }
        thread.stop();
        QVERIFY(polls >= 2);
        QVERIFY(whole); // the values of one poll, never half of two
    }

    void instrumentStateScanAndReInit()
    {
        const auto instrument = startInstrument(testOptions("127.44.2.1"));
        QVERIFY(instrument);
        instrument->command("CHAN:STAT 1,1;:CHAN:STAT 2,1;:SIM:CHAN:OPEN 2,1;:CHAN:CONF 2,\"K\",1");

        pollingThread thread("TCPIP::127.44.2.1::INSTR", 48, false);
        QVERIFY(thread.session() != 0);
        thread.setPollScan(true);
        QSignalSpy ready(&thread, &pollingThread::dataReady);
        thread.start();
        QVERIFY(ready.wait(5000));
        pollingSnapshot s = thread.snapshot();
        QCOMPARE(s.acquisitionState, qint16(0));
        QVERIFY(s.ptpTime > 1600000000u);
        QVERIFY(s.values[0] > -50 && s.values[0] < 200);
        QVERIFY(std::isnan(s.values[1]));

        // Successive requests close and reopen the thread's own session.
        thread.reInit();
        QVERIFY(ready.wait(5000));
        QCOMPARE(thread.session(), ViSession(0));
        thread.reInit();
        QVERIFY(ready.wait(5000));
        QVERIFY(thread.session() != 0);
        thread.stop();
    }

    // No instrument at first, then one, then it goes away and comes back: the thread keeps
    // announcing polls, keeps trying to open its session, and says whether the link answers.
    void linkStateAcrossAnOutage()
    {
        pollingThread thread("TCPIP::127.44.2.9::INSTR", 16, false);
        QCOMPARE(thread.session(), ViSession(0));
        QSignalSpy ready(&thread, &pollingThread::dataReady);
        thread.start();
        QVERIFY(ready.wait(5000));
        QCOMPARE(thread.snapshot().link, linkState::Down);
        QCOMPARE(thread.acquisitionState(), qint16(-1));

        const auto instrument = startInstrument(testOptions("127.44.2.9"));
        QVERIFY(instrument);
        QTRY_COMPARE_WITH_TIMEOUT(thread.snapshot().link, linkState::Answering, 20000);
        QCOMPARE(thread.acquisitionState(), qint16(0));
        instrument->stop();
        QTRY_COMPARE_WITH_TIMEOUT(thread.snapshot().link, linkState::Down, 20000);
        QVERIFY(instrument->start());
        QTRY_COMPARE_WITH_TIMEOUT(thread.snapshot().link, linkState::Answering, 20000);
        thread.stop();
    }
};

QTEST_MAIN(tst_pollingThread)
#include "tst_pollingThread.moc"
