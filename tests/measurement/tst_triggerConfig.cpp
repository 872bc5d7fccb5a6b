// The trigger configuration page: demo store defaults and round trip, what Save sends to a
// simulated instrument and Refresh reads back, and each failing call reported on its own.
#include "boxRecorder.h"
#include "demoStore.h"
#include "measurement_triggerConfig.h"
#include "testInstrument.h"

#include <QComboBox>
#include <QtTest>

#include <memory>

class tst_triggerConfig : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void demoStore();
    void saveReachesTheInstrument();
    void failingCallsAreReportedAndTheSequenceGoesOn_data();
    void failingCallsAreReportedAndTheSequenceGoesOn();

private:
    static QList<int> indices(const measurement_triggerConfig &page);
    static void select(measurement_triggerConfig &page, const QList<int> &values);
    std::unique_ptr<testInstrument> m_sim;
};

QList<int> tst_triggerConfig::indices(const measurement_triggerConfig &page)
{
    return {page.rp1activeInp->currentIndex(), page.rp2activeInp->currentIndex(), page.rp1activeOut->currentIndex(),
            page.rp2activeOut->currentIndex(), page.rp1function->currentIndex(), page.rp2function->currentIndex()};
}

void tst_triggerConfig::select(measurement_triggerConfig &page, const QList<int> &values)
{
    QComboBox *boxes[] = {page.rp1activeInp, page.rp2activeInp, page.rp1activeOut,
                          page.rp2activeOut, page.rp1function, page.rp2function};
    for (int i = 0; i < 6; ++i)
        boxes[i]->setCurrentIndex(values[i]);
}

void tst_triggerConfig::initTestCase()
{
    m_sim = std::make_unique<testInstrument>();
    QVERIFY2(m_sim->start(testOptions("127.45.52.1", "AA")), qPrintable(m_sim->error));
}

void tst_triggerConfig::init()
{
    m_sim->command("*RST;:SIM:FAIL:CLEar");
}

// A fresh store reads the first entries; what Save stores, Refresh brings back.
void tst_triggerConfig::demoStore()
{
    demoStore::clearAll();
    measurement_triggerConfig page(demoContext(16));
    select(page, {1, 1, 1, 1, 4, 3});
    page.doRefresh();
    QCOMPARE(indices(page), QList<int>({0, 0, 0, 0, 0, 0}));
    select(page, {1, 0, 0, 1, 2, 4});
    page.doSave();
    measurement_triggerConfig again(demoContext(16));
    again.doRefresh();
    QCOMPARE(indices(again), QList<int>({1, 0, 0, 1, 2, 4}));
}

// "Closed" and "Pulse on each scan" for output 2 arrive as line 3 state 1 and output 1
// function 2; the other lines as selected.
void tst_triggerConfig::saveReachesTheInstrument()
{
    boxRecorder boxes;
    measurement_triggerConfig page(m_sim->context(16));
    select(page, {1, 0, 0, 1, 3, 2});
    page.doSave();
    QCOMPARE(m_sim->command("TRIG:LINE:STAT? 3"), QString("1"));
    QCOMPARE(m_sim->command("TRIG:OUTP:FUNC? 1"), QString("2"));
    QCOMPARE(m_sim->command("TRIG:LINE:STAT? 0"), QString("1"));
    QCOMPARE(m_sim->command("TRIG:OUTP:FUNC? 0"), QString("3"));
    measurement_triggerConfig again(m_sim->context(16));
    again.doRefresh();
    QCOMPARE(indices(again), QList<int>({1, 0, 0, 1, 3, 2}));
}

void tst_triggerConfig::failingCallsAreReportedAndTheSequenceGoesOn_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("report");
    QTest::newRow("save, first line refused") << true << "TRIG:LINE:STAT" << -222
        << "ts4720_configureRPTrigger(vi, ts4720_TRIG_OUT_RP1_IN, rp1activeInp->currentIndex()) failed due to [";
    QTest::newRow("save, warning") << true << "TRIG:OUTP:FUNC" << 5 << "Warning: [";
    QTest::newRow("refresh, first function refused") << false << "TRIG:OUTP:FUNC?" << -222
        << "ts4720_getOutputTrigger(vi, ts4720_TRIG_OUT_RP1, &val16) failed due to [";
}

// Exactly one report, and every other line still written or read.
void tst_triggerConfig::failingCallsAreReportedAndTheSequenceGoesOn()
{
    QFETCH(bool, save);
    QFETCH(QString, failing);
    QFETCH(int, code);
    QFETCH(QString, report);
    m_sim->command("TRIG:LINE:STAT 3,1;:TRIG:OUTP:FUNC 0,4;:TRIG:OUTP:FUNC 1,4");
    m_sim->command(QString("SIM:FAIL \"%1\",%2").arg(failing).arg(code));
    boxRecorder boxes;
    measurement_triggerConfig page(m_sim->context(16));
    select(page, {1, 1, 1, 0, 1, 2});
    if (save)
        page.doSave();
    else
        page.doRefresh();
    QCOMPARE(boxes.requests().size(), 1);
    QVERIFY2(boxes.texts().first().startsWith(report), qPrintable(boxes.texts().first()));
    if (save) {
        QCOMPARE(m_sim->command("TRIG:LINE:STAT? 3"), QString("0"));
        QCOMPARE(m_sim->command("TRIG:OUTP:FUNC? 1"), QString("2"));
    } else {
        // The failed read keeps its box; the others show the instrument's lines.
        QCOMPARE(indices(page), QList<int>({0, 0, 0, 1, 1, 4}));
    }
}

QTEST_MAIN(tst_triggerConfig)
#include "tst_triggerConfig.moc"
