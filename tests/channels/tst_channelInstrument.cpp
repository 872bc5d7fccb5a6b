// The channel table against a simulated instrument: what Save sends, what Refresh shows,
// the connection status, and how each failing driver call is reported.
#include "channelConfiguration.h"
#include "channelConfiguration_settings.h"
#include "channelConfiguration_userTC.h"
#include "channelTestSupport.h"
#include "panelStyle.h"
#include "singleChannelConfig.h"
#include "tableHeader.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

class tst_channelInstrument : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void thresholdsReachInstrument();
    void typesFromHeaderAndUserTypes();
    void connectionStatus();
    void failures_data();
    void failures();
    void rowWithoutTypeKeepsInstrumentType();
    void screenshots_data();
    void screenshots();

private:
    std::unique_ptr<simulatedInstrument> sim;
};

void tst_channelInstrument::initTestCase()
{
    sim = std::make_unique<simulatedInstrument>("127.45.41.1", "AA");
    QVERIFY2(sim->ok(), qPrintable(sim->error));
}

void tst_channelInstrument::init()
{
    // Factory channels are on, type K, OTD on; start every test from all off, J, OTD off.
    sim->command("*RST");
    sim->command("SIM:FAIL:CLEar");
    for (int ch = 1; ch <= 16; ++ch)
        sim->command(QString("CHAN:STAT %1,0;:CHAN:CONF %1,\"J\",0;:SIM:CHAN:OPEN %1,0").arg(ch));
}

void tst_channelInstrument::thresholdsReachInstrument()
{
    boxRecorder boxes;
    channelConfiguration_settings page(sim->context(16));
    page.doRefresh();
    page.cfg[0]->thMin->clear();
    page.cfg[0]->thMax->setText("25");
    page.cfg[1]->thMin->setText(QString::fromUtf8("-3.456 °C"));
    page.cfg[1]->thMax->setText("abc");
    page.validateThresholds(1);
    QCOMPARE(page.cfg[1]->thMin->text(), QString::fromUtf8("-3.46 °C"));
    QCOMPARE(page.cfg[1]->thMax->text(), QString::fromUtf8("0.00 °C"));
    page.doSave();
    QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));

    QCOMPARE(numbers(sim->command("CHAN:ALER? 1")), QList<double>({0, 0, 1, 25}));
    QCOMPARE(numbers(sim->command("CHAN:ALER? 2")), QList<double>({1, -3.46, 1, 0}));

    channelConfiguration_settings again(sim->context(16));
    again.doRefresh();
    QVERIFY(again.cfg[0]->thMin->text().isEmpty());
    QCOMPARE(again.cfg[0]->thMax->text(), QString::fromUtf8("25.00 °C"));
    QCOMPARE(again.cfg[1]->thMin->text(), QString::fromUtf8("-3.46 °C"));
}

void tst_channelInstrument::typesFromHeaderAndUserTypes()
{
    boxRecorder boxes;
    sim->command("CHAN:CONF 3,\"User 2\",1");
    channelConfiguration_settings page(sim->context(16));
    page.doRefresh();
    QCOMPARE(page.cfg[2]->checkedType(), 9);
    QVERIFY(page.cfg[2]->OTDenabled->isChecked());

    page.header->typeButton(1)->click();
    for (singleChannelConfig *row : page.cfg)
        QCOMPARE(row->checkedType(), 1);
    QCOMPARE(sim->command("CHAN:CONF? 3"), QString("\"User 2\",1"));
    QCOMPARE(sim->command("CHAN:CONF? 4"), QString("\"J\",0"));

    page.cfg[2]->typeButtons[9]->click();
    page.doSave();
    QCOMPARE(sim->command("CHAN:CONF? 3"), QString("\"User 2\",1"));
    QCOMPARE(sim->command("CHAN:CONF? 4"), QString("\"K\",0"));
    QCOMPARE(sim->command("CHAN:CONF? 16"), QString("\"K\",0"));
    QVERIFY(boxes.boxes.isEmpty());
}

void tst_channelInstrument::connectionStatus()
{
    boxRecorder boxes;
    // An open thermocouple reads NaN only with open-thermocouple detection on.
    sim->command("CHAN:STAT 1,1;:CHAN:STAT 2,1;:CHAN:CONF 2,\"J\",1;:CHAN:CONF 3,\"J\",1");
    sim->command("SIM:CHAN:OPEN 2,1");
    sim->command("SIM:CHAN:OPEN 3,1");
    channelConfiguration_settings page(sim->context(16));
    page.doRefresh();
    QCOMPARE(page.cfg[0]->connectionStatus->text(), connectedText);
    QCOMPARE(page.cfg[1]->connectionStatus->text(), openText);
    QCOMPARE(page.cfg[2]->connectionStatus->text(), dashText);

    // Save reads a fresh scan for the rows as they were sent.
    page.cfg[2]->chEnabled->click();
    page.cfg[0]->chEnabled->click();
    page.doSave();
    QCOMPARE(page.cfg[0]->connectionStatus->text(), dashText);
    QCOMPARE(page.cfg[2]->connectionStatus->text(), openText);
    QVERIFY(boxes.boxes.isEmpty());
}

void tst_channelInstrument::failures_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("hook");
    QTest::addColumn<QString>("callText");
    QTest::newRow("save state") << true << "SIM:FAIL \"CHAN:STAT\",-200,1"
                                << "ts4720_setChannelState(vi, i+1, cfg[i]->chEnabled->isChecked())";
    QTest::newRow("save config") << true << "SIM:FAIL \"CHAN:CONF\",-200,1"
                                 << "ts4720_setChannelConfig(vi, i+1, (ViChar*)tc_type_name[cid], "
                                    "cfg[i]->OTDenabled->isChecked())";
    QTest::newRow("save alerts") << true << "SIM:FAIL \"CHAN:ALER\",-200,1"
                                 << "ts4720_setAlertConfig(vi, i+1, !cfg[i]->thMin->text().isEmpty(), min, "
                                    "!cfg[i]->thMax->text().isEmpty(), max)";
    QTest::newRow("save scan") << true << "SIM:FAIL \"MEAS:SCAN?\",-300,1" << "ts4720_acquireScan(vi, scan)";
    // A warning: the call did its work, the user sees the warning report instead.
    QTest::newRow("save config warning") << true << "SIM:FAIL \"CHAN:CONF\",100,1" << "Warning:";
    QTest::newRow("refresh state") << false << "SIM:FAIL \"CHAN:STAT?\",-200,1" << "ts4720_getChannelState(vi, i+1, &ena)";
    QTest::newRow("refresh config") << false << "SIM:FAIL \"CHAN:CONF?\",-200,1"
                                    << "ts4720_getChannelConfig(vi, i+1, thermType, &otd)";
    QTest::newRow("refresh alerts") << false << "SIM:FAIL \"CHAN:ALER?\",-200,1"
                                    << "ts4720_getAlertConfig(vi, i+1, &thresMinOn, &thresMinVal, &thresMaxOn, &thresMaxVal)";
    QTest::newRow("refresh scan") << false << "SIM:FAIL \"MEAS:SCAN?\",-300,1" << "ts4720_acquireScan(vi, scan)";
}

// The first call of a kind fails: its own report, and every other call still goes through.
void tst_channelInstrument::failures()
{
    QFETCH(bool, save);
    QFETCH(QString, hook);
    QFETCH(QString, callText);
    boxRecorder boxes;
    for (int ch = 1; ch <= (save ? 0 : 2); ++ch)   // read by Refresh
        sim->command(QString("CHAN:STAT %1,1;:CHAN:CONF %1,\"T\",1;:CHAN:ALER %1,1,-5,0,0").arg(ch));
    channelConfiguration_settings page(sim->context(16));
    // What the rows show before: sent by Save, or kept where a read fails.
    for (singleChannelConfig *row : page.cfg) {
        row->chEnabled->setChecked(save);
        row->OTDenabled->setChecked(save);
        row->typeButtons[save ? 5 : 4]->setChecked(true);
        row->thMax->setText(save ? "30" : "99");
    }
    sim->command(hook);
    save ? page.doSave() : page.doRefresh();

    const bool warning = callText == "Warning:";
    const QStringList reports = boxes.texts(warning ? messageBoxes::Kind::Warning : messageBoxes::Kind::Critical);
    QCOMPARE(boxes.boxes.size(), 1);
    QVERIFY2(reports.size() == 1 && reports[0].startsWith(warning ? QString("Warning: [") : callText + " failed due to ["),
             qPrintable(boxes.boxes[0].text));
    const bool stateFailed = !warning && hook.contains("STAT"), configFailed = !warning && hook.contains("CONF"),
               alertFailed = !warning && hook.contains("ALER");
    QCOMPARE(page.cfg[1]->connectionStatus->text(), hook.contains("SCAN") ? unknownText : connectedText);
    if (save) {
        for (int ch : {1, 2, 16}) {
            const bool first = ch == 1;
            QCOMPARE(sim->command(QString("CHAN:STAT? %1").arg(ch)), QString(first && stateFailed ? "0" : "1"));
            QCOMPARE(sim->command(QString("CHAN:CONF? %1").arg(ch)), QString(first && configFailed ? "\"J\",0" : "\"S\",1"));
            QCOMPARE(numbers(sim->command(QString("CHAN:ALER? %1").arg(ch))).mid(2),
                     first && alertFailed ? QList<double>({0, 0}) : QList<double>({1, 30}));
        }
        return;
    }
    QCOMPARE(rowState(page.cfg[0]), QString::fromUtf8("%1 %2 %3 %4").arg(int(!stateFailed)).arg(int(!configFailed))
                                        .arg(configFailed ? 4 : 2).arg(alertFailed ? "|99.00 °C" : "-5.00 °C|"));
    QCOMPARE(rowState(page.cfg[1]), QString::fromUtf8("1 1 2 -5.00 °C|"));   // the next row was read in full
    QCOMPARE(page.cfg[2]->connectionStatus->text(), dashText);
}

void tst_channelInstrument::rowWithoutTypeKeepsInstrumentType()
{
    boxRecorder boxes;
    sim->command("CHAN:CONF 1,\"E\",0");
    channelConfiguration_settings page(sim->context(16));
    // Before any Refresh no type is checked anywhere.
    page.cfg[0]->chEnabled->setChecked(true);
    page.cfg[0]->OTDenabled->setChecked(true);
    page.cfg[0]->thMin->setText("1");
    page.cfg[1]->typeButtons[6]->setChecked(true);
    page.doSave();
    QCOMPARE(sim->command("CHAN:CONF? 1"), QString("\"E\",0"));
    QCOMPARE(sim->command("CHAN:STAT? 1"), QString("1"));
    QCOMPARE(numbers(sim->command("CHAN:ALER? 1")), QList<double>({1, 1, 0, 0}));
    QCOMPARE(sim->command("CHAN:CONF? 2"), QString("\"R\",0"));
    QVERIFY(boxes.texts(messageBoxes::Kind::Critical).isEmpty());
    const QStringList warnings = boxes.texts(messageBoxes::Kind::Warning);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].startsWith("No thermocouple type is selected for channel(s) 1, 3, 4,"), qPrintable(warnings[0]));
}

void tst_channelInstrument::screenshots_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("demo");
    for (int channels : {16, 48})
        for (bool demo : {false, true})
            QTest::newRow(qPrintable(QString("%1 %2").arg(channels).arg(demo ? "demo" : "instrument"))) << channels << demo;
}

// Only with TS4720_SCREENSHOT_DIR set: pictures of both pages in demo mode and against an
// instrument with an open channel, for looking at the layout.
void tst_channelInstrument::screenshots()
{
    QFETCH(int, channels);
    QFETCH(bool, demo);
    const QString shots = qEnvironmentVariable("TS4720_SCREENSHOT_DIR");
    if (shots.isEmpty())
        QSKIP("TS4720_SCREENSHOT_DIR not set");
    ts2900fp_applyPanelStyle();
    boxRecorder boxes;
    simulatedInstrument big("127.45.41.2", channels == 48 ? "AC" : "AA");
    QVERIFY2(big.ok(), qPrintable(big.error));
    for (int ch = 4; ch <= channels; ++ch)
        big.command(QString("CHAN:STAT %1,%2;:CHAN:CONF %1,\"J\",0").arg(ch).arg(ch % 3 == 0 ? 1 : 0));
    big.command("CHAN:CONF 3,\"User 2\",1;:CHAN:ALER 1,1,-10,1,85.5;:SIM:CHAN:OPEN 2,1");
    big.command("THER:CUST \"User 1\",3,0.5,25.25,-1e-3");
    channelConfiguration tabs(demo ? demoContext(channels) : big.context(channels));
    tabs.resize(1150, 650);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    tabs.settings->doRefresh();
    tabs.userTC->doRefresh();
    if (demo) {
        tabs.settings->cfg[0]->chEnabled->click();
        tabs.settings->cfg[1]->thMin->setText(QString::fromUtf8("-3.46 °C"));
        tabs.settings->doSave();
    }
    auto save = [&](const QString &page) {
        QTest::qWait(50);
        tabs.grab().save(QString("%1/%2-%3-%4.png").arg(shots, page, demo ? "demo" : "instrument").arg(channels));
    };
    save("settings");
    tabs.setCurrentIndex(1);
    save("userTC");
    QVERIFY(boxes.boxes.isEmpty());
}

QTEST_MAIN(tst_channelInstrument)
#include "tst_channelInstrument.moc"
