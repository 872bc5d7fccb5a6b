// The live view: tile states and texts, and live values from a
// simulated instrument through the polling thread, across an outage.
#include "boxRecorder.h"
#include "channelItem.h"
#include "measurement_polling.h"
#include "pollingThread.h"
#include "testInstrument.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include <limits>

namespace {
const double open = std::numeric_limits<double>::quiet_NaN();
const QString deg = QString(QChar(0xB0));
} // namespace

class tst_measurementPolling : public QObject {
    Q_OBJECT
private slots:
    void tileStates_data();
    void tileStates();
    void liveValuesAcrossAnOutage();
};

// First match wins: off, open, armed, then the thresholds (a value at a threshold is
// within); the unit converts the shown value; the start marker shows nothing.
void tst_measurementPolling::tileStates_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("arm");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<QChar>("unit");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("text");
    // Every row has the thresholds 10 (lower) and 30 (upper) on.
    QTest::newRow("off, open") << false << false << open << QChar('C') << "disabled" << "<b>-</b>";
    QTest::newRow("open beats armed") << true << true << open << QChar('C') << "open" << "<b>OPEN</b>";
    QTest::newRow("armed beats limit") << true << true << 99.0 << QChar('C') << "arm" << "<b>-</b>";
    QTest::newRow("below") << true << false << 9.5 << QChar('C') << "limitBelow" << "<b>9.500 " + deg + "C</b>";
    QTest::newRow("at lower") << true << false << 10.0 << QChar('C') << "ok" << "<b>10.000 " + deg + "C</b>";
    QTest::newRow("at upper") << true << false << 30.0 << QChar('C') << "ok" << "<b>30.000 " + deg + "C</b>";
    QTest::newRow("above") << true << false << 30.001 << QChar('C') << "limitAbove" << "<b>30.001 " + deg + "C</b>";
    QTest::newRow("25 C in F") << true << false << 25.0 << QChar('F') << "ok" << "<b>77.000 " + deg + "F</b>";
    QTest::newRow("25 C in K") << true << false << 25.0 << QChar('K') << "ok" << "<b>298.150 K</b>";
    QTest::newRow("no reading") << true << false << pollingThread::noReading << QChar('K') << "limitBelow" << "";
}

void tst_measurementPolling::tileStates()
{
    QFETCH(bool, enabled);
    QFETCH(bool, arm);
    QFETCH(double, celsius);
    QFETCH(QChar, unit);
    QFETCH(QString, state);
    QFETCH(QString, text);
    channelItem item(7);
    const qint8 limit = channelItem::limitOf(true, 10.0, true, 30.0, celsius);
    item.updateItem("K", enabled, std::isnan(celsius), arm, limit, unit.toLatin1(), celsius);
    QCOMPARE(QString(item.state()), state);
    QCOMPARE(item.property(item.state()).toBool(), true);
    QCOMPARE(item.valueLabel()->text(), text);
    QCOMPARE(item.toolTip(), QString("Channel 7 - Thermocouple Type 'K'"));
}

// An open channel, thresholds crossed through the simulator's hooks, a change made
// elsewhere; then the instrument goes away: tiles keep their values, no box, and values
// resume when it is back.
void tst_measurementPolling::liveValuesAcrossAnOutage()
{
    testInstrument sim;
    QVERIFY2(sim.start(testOptions("127.45.51.1", "AA")), qPrintable(sim.error));
    for (int ch = 1; ch <= 16; ++ch)
        sim.command(QString("CHAN:STAT %1,%2;:CHAN:CONF %1,\"J\",1").arg(ch).arg(ch <= 4 ? 1 : 0));
    sim.command("SIM:CHAN:OPEN 2,1;:CHAN:ALER 3,0,0,1,20;:SIM:CHAN:TEMP 3,30");
    sim.command("CHAN:ALER 4,1,50,0,0;:SIM:CHAN:TEMP 4,25;:SIM:CHAN:TEMP 1,21.5");
    boxRecorder boxes;
    pollingThread poller(QByteArray::fromStdString(sim.instrument->descriptor()), 16, false);
    panelContext context = sim.context(16);
    context.poller = &poller;
    measurement_polling page(context, nullptr);
    connect(&poller, &pollingThread::dataReady, &page, &measurement_polling::doRefresh, Qt::QueuedConnection);
    poller.start();
    page.startPolling();
    const QStringList expected = {"ok", "open", "limitAbove", "limitBelow", "disabled"};
    auto states = [&page] {
        QStringList s;
        for (int i = 0; i < 5; ++i)
            s << page.items[i]->state();
        return s;
    };
    QTRY_COMPARE_WITH_TIMEOUT(states(), expected, 15000);
    QCOMPARE(page.items[0]->valueLabel()->text(), "<b>21.500 " + deg + "C</b>");
    QCOMPARE(page.items[0]->toolTip(), QString("Channel 1 - Thermocouple Type 'J'"));
    QCOMPARE(page.stateLabel->text(), QString("State: <b>IDLE</b>"));

    sim.command("CHAN:STAT 1,0");
    QTRY_COMPARE_WITH_TIMEOUT(QString(page.items[0]->state()), QString("disabled"), 15000);

    sim.instrument->stop();
    QTRY_COMPARE_WITH_TIMEOUT(poller.snapshot().link, linkState::Down, 15000);
    QTest::qWait(1500);
    QCOMPARE(states().mid(1), expected.mid(1));
    QCOMPARE(page.items[3]->valueLabel()->text(), "<b>25.000 " + deg + "C</b>");

    QVERIFY(sim.instrument->start());
    sim.command("SIM:CHAN:TEMP 4,26");
    QTRY_COMPARE_WITH_TIMEOUT(page.items[3]->valueLabel()->text(), "<b>26.000 " + deg + "C</b>", 20000);
    poller.stop();
}

QTEST_MAIN(tst_measurementPolling)
#include "tst_measurementPolling.moc"
