// The channel table against a simulated instrument: what Save sends, what Refresh shows,
// the connection status, and how each failing driver call is reported.
#include "channelConfiguration.h"
#include "channelConfiguration_settings.h"
#include "channelConfiguration_userTC.h"
#include "channelTestSupport.h"
#include "fieldMark.h"
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
    void thresholdInput_data();
    void thresholdInput();
    void typesFromHeaderAndUserTypes();
    void connectionStatus();
    void failures_data();
    void failures();
    void rowWithoutTypeKeepsInstrumentType();
    void outageReportedOnce_data();
    void outageReportedOnce();

private:
    std::unique_ptr<testInstrument> m_sim;
};

void tst_channelInstrument::initTestCase()
{
    m_sim = std::make_unique<testInstrument>();
    QVERIFY2(m_sim->start(testOptions("127.45.41.1", "AA")), qPrintable(m_sim->error));
}

void tst_channelInstrument::init()
{
    // Factory channels are on, type K, OTD on; start every test from all off, J, OTD off.
    m_sim->command("*RST");
    m_sim->command("SIM:FAIL:CLEar");
    for (int ch = 1; ch <= 16; ++ch)
        m_sim->command(QString("CHAN:STAT %1,0;:CHAN:CONF %1,\"J\",0;:SIM:CHAN:OPEN %1,0").arg(ch));
}

// Typed thresholds: what is accepted reaches the instrument; text that is no temperature
// and a minimum above the maximum are marked and refused by Save with one message, and a
// value the instrument refuses is read back, so the row shows what the instrument holds.
void tst_channelInstrument::thresholdInput_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("marked"); // "min", "max", "both" or ""
    QTest::addColumn<QString>("box");    // the one box's beginning; empty: none
    QTest::addColumn<QString>("row");    // after Save
    QTest::addColumn<QList<double>>("held"); // CHAN:ALER? 2 after Save
    const QString refused = "Nothing was saved. Correct these fields first:\nChannel 2 ";
    const QList<double> untouched{0, 0, 0, 0};
    QTest::newRow("decimal comma and unit") << QString::fromUtf8("-3,456 °C") << "25" << "" << ""
                                            << QString::fromUtf8("0 0 0 -3.46 °C|25.00 °C") << QList<double>{1, -3.46, 1, 25};
    QTest::newRow("empty is no alert") << "" << "25" << "" << "" << QString::fromUtf8("0 0 0 |25.00 °C")
                                       << QList<double>{0, 0, 1, 25};
    QTest::newRow("letters") << "abc" << "" << "min" << refused + "minimum: \"abc\" is not a temperature."
                             << "0 0 0 abc|" << untouched;
    QTest::newRow("nan") << "5" << "nan" << "max" << refused + "maximum: \"nan\"" << QString::fromUtf8("0 0 0 5.00 °C|nan")
                         << untouched;
    QTest::newRow("minimum above maximum")
        << "30" << "20,5" << "both" << QString::fromUtf8("%1: the minimum 30.00 °C is above the maximum 20.50 °C.").arg(refused.chopped(1))
        << QString::fromUtf8("0 0 0 30.00 °C|20.50 °C") << untouched;
    QTest::newRow("refused by the instrument")
        << "" << "5000" << "" << "ts4720_setAlertConfig(vi, i+1, !cfg[i]->thMin->text().isEmpty(), min, "
        << "0 0 0 |" << untouched;
}

void tst_channelInstrument::thresholdInput()
{
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, marked);
    QFETCH(QString, box);
    QFETCH(QString, row);
    QFETCH(QList<double>, held);
    boxRecorder boxes;
    channelConfiguration_settings page(m_sim->context(16));
    page.show();
    page.doRefresh();
    typeInto(page.cfg[1]->thMin, min);
    typeInto(page.cfg[1]->thMax, max);
    QCOMPARE(isMarked(page.cfg[1]->thMin), marked == "min" || marked == "both");
    QCOMPARE(isMarked(page.cfg[1]->thMax), marked == "max" || marked == "both");
    page.doSave();
    const QStringList shown = boxes.texts();
    QCOMPARE(shown.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QVERIFY2(shown[0].startsWith(box), qPrintable(shown[0]));
    QCOMPARE(rowState(page.cfg[1]), row);
    QCOMPARE(numbers(m_sim->command("CHAN:ALER? 2")), held);
}

void tst_channelInstrument::typesFromHeaderAndUserTypes()
{
    boxRecorder boxes;
    m_sim->command("CHAN:CONF 3,\"User 2\",1");
    channelConfiguration_settings page(m_sim->context(16));
    page.doRefresh();
    QCOMPARE(page.cfg[2]->checkedType(), 9);
    QVERIFY(page.cfg[2]->OTDenabled->isChecked());

    page.header->typeButton(1)->click();
    for (singleChannelConfig *row : page.cfg)
        QCOMPARE(row->checkedType(), 1);
    QCOMPARE(m_sim->command("CHAN:CONF? 3"), QString("\"User 2\",1"));
    QCOMPARE(m_sim->command("CHAN:CONF? 4"), QString("\"J\",0"));

    page.cfg[2]->typeButtons[9]->click();
    page.doSave();
    QCOMPARE(m_sim->command("CHAN:CONF? 3"), QString("\"User 2\",1"));
    QCOMPARE(m_sim->command("CHAN:CONF? 4"), QString("\"K\",0"));
    QCOMPARE(m_sim->command("CHAN:CONF? 16"), QString("\"K\",0"));
}

void tst_channelInstrument::connectionStatus()
{
    boxRecorder boxes;
    // An open thermocouple reads NaN only with open-thermocouple detection on.
    m_sim->command("CHAN:STAT 1,1;:CHAN:STAT 2,1;:CHAN:CONF 2,\"J\",1;:CHAN:CONF 3,\"J\",1");
    m_sim->command("SIM:CHAN:OPEN 2,1");
    m_sim->command("SIM:CHAN:OPEN 3,1");
    channelConfiguration_settings page(m_sim->context(16));
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
        m_sim->command(QString("CHAN:STAT %1,1;:CHAN:CONF %1,\"T\",1;:CHAN:ALER %1,1,-5,0,0").arg(ch));
    channelConfiguration_settings page(m_sim->context(16));
    // What the rows show before: sent by Save, or kept where a read fails.
    for (singleChannelConfig *row : page.cfg) {
        row->chEnabled->setChecked(save);
        row->OTDenabled->setChecked(save);
        row->typeButtons[save ? 5 : 4]->setChecked(true);
        row->thMax->setText(save ? "30" : "99");
    }
    m_sim->command(hook);
    save ? page.doSave() : page.doRefresh();

    const bool warning = callText == "Warning:";
    const QStringList reports = boxes.texts(warning ? messageBoxes::Kind::Warning : messageBoxes::Kind::Critical);
    const QStringList shown = boxes.texts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(reports.size() == 1 && reports[0].startsWith(warning ? QString("Warning: [") : callText + " failed due to ["),
             qPrintable(shown[0]));
    const bool stateFailed = !warning && hook.contains("STAT"), configFailed = !warning && hook.contains("CONF"),
               alertFailed = !warning && hook.contains("ALER");
    QCOMPARE(page.cfg[1]->connectionStatus->text(), hook.contains("SCAN") ? unknownText : connectedText);
    if (save) {
        for (int ch : {1, 2, 16}) {
            const bool first = ch == 1;
            QCOMPARE(m_sim->command(QString("CHAN:STAT? %1").arg(ch)), QString(first && stateFailed ? "0" : "1"));
            QCOMPARE(m_sim->command(QString("CHAN:CONF? %1").arg(ch)), QString(first && configFailed ? "\"J\",0" : "\"S\",1"));
            QCOMPARE(numbers(m_sim->command(QString("CHAN:ALER? %1").arg(ch))).mid(2),
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
    m_sim->command("CHAN:CONF 1,\"E\",0");
    channelConfiguration_settings page(m_sim->context(16));
    // Before any Refresh no type is checked anywhere.
    page.cfg[0]->chEnabled->setChecked(true);
    page.cfg[0]->OTDenabled->setChecked(true);
    page.cfg[0]->thMin->setText("1");
    page.cfg[1]->typeButtons[6]->setChecked(true);
    page.doSave();
    QCOMPARE(m_sim->command("CHAN:CONF? 1"), QString("\"E\",0"));
    QCOMPARE(m_sim->command("CHAN:STAT? 1"), QString("1"));
    QCOMPARE(numbers(m_sim->command("CHAN:ALER? 1")), QList<double>({1, 1, 0, 0}));
    QCOMPARE(m_sim->command("CHAN:CONF? 2"), QString("\"R\",0"));
    const QStringList warnings = boxes.texts(messageBoxes::Kind::Warning);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].startsWith("No thermocouple type is selected for channel(s) 1, 3, 4,"), qPrintable(warnings[0]));
}

// The link goes away (the instrument stops): one Save or Refresh gives one report, which
// counts the calls not made, and no call waits for an answer after the first.
void tst_channelInstrument::outageReportedOnce_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("save") << true;
    QTest::newRow("refresh") << false;
}

void tst_channelInstrument::outageReportedOnce()
{
    QFETCH(bool, save);
    boxRecorder boxes;
    channelConfiguration_settings page(m_sim->context(16));
    page.doRefresh();
    page.cfg[0]->chEnabled->setChecked(true);
    page.cfg[0]->thMax->setText("40");
    m_sim->instrument->stop();
    save ? page.doSave() : page.doRefresh();
    QVERIFY(m_sim->instrument->start());
    m_sim->reopen();
    const QStringList shown = boxes.texts();
    QCOMPARE(shown.size(), 1);
    const QString text = shown[0];
    // 16 rows of three calls and the scan: the first fails, the other 48 are not made.
    QVERIFY2(text.contains(" failed due to [") && text.contains("\n48 further calls of this action were not made"),
             qPrintable(text));
    // The rows keep what they showed; the instrument what it held.
    QCOMPARE(rowState(page.cfg[0]), QString::fromUtf8("1 0 0 |40.00 °C"));
    QCOMPARE(m_sim->command("CHAN:STAT? 1"), QString("0"));
}

QTEST_MAIN(tst_channelInstrument)
#include "tst_channelInstrument.moc"
