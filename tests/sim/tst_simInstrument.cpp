// The instrument in-process: saved configuration across restarts, reload and reset,
// refusals, hooks, signals, and what only the instrument shows of an acquisition.
#include "simInstrument.h"
#include "simTestClient.h"
#include "thermocouple.h"

#include "dataFileReader.h"
#include "loadedFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

namespace {

std::unique_ptr<tssim::Instrument> makeInstrument(const std::string &stateDir = std::string())
{
    tssim::Options o;
    o.address = "127.41.2.1"; // never started: these tests run in-process
    o.webPort = -1;
    o.stateDir = stateDir;
    return std::unique_ptr<tssim::Instrument>(new tssim::Instrument(o));
}

// Waits (polling, no deadline of its own beyond the test timeout) until the acquisition is idle.
std::string waitIdle(tssim::Instrument &instrument)
{
    std::string state;
    for (int i = 0; i < 2000; ++i) {
        state = instrument.command("ACQ:STAT?");
        if (state.compare(0, 2, "0,") == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return state;
}

} // namespace

class tst_simInstrument : public QObject {
    Q_OBJECT

private slots:
    void headerAndStringForms_data();
    void headerAndStringForms();
    void savedConfigurationSurvivesRestart_data();
    void savedConfigurationSurvivesRestart();
    void reloadAndReset_data();
    void reloadAndReset();
    void failureHook_data();
    void failureHook();
    void openChannelAndFixedTemperature();
    void settingsRefusedWhileRunning();
    void voltageFollowsTheReferenceFunction();
    void shadowCopyIsAReadableDataFile();
};

void tst_simInstrument::headerAndStringForms_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reply"); // the reply, or the error code the message queues
    QTest::newRow("long form, lower case") << "channel:state? 1" << "1";
    QTest::newRow("relative to the last path") << "CHAN:STAT 2,0;STAT? 2" << "0";
    QTest::newRow("root again after ':'") << "CHAN:STAT 2,0;:CHAN:STAT? 2;CONF? 2" << "0;\"K\",1";
    QTest::newRow("boolean words") << "SYST:IDEN ON;:SYST:IDEN?;:SYST:IDEN OFF;:SYST:IDEN?" << "1;0";
    QTest::newRow("doubled quotes") << "ATTR 272,\"say \"\"hi\"\"\";:ATTR? 272" << "\"say \"\"hi\"\"\"";
    QTest::newRow("single quotes") << "CHAN:CONF 4,'User 2',1;:CHAN:CONF? 4" << "\"User 2\",1";
    QTest::newRow("type name in any case") << "CHAN:CONF 4,\"user 1\",1;:CHAN:CONF? 4" << "\"User 1\",1";
    QTest::newRow("common commands") << "*CLS;*OPC?;*idn?" << "1;Tarsel Ltd.,Korvan 4720,47209481,3.2.0";
    QTest::newRow("real numbers") << "CHAN:ALER 9,1,+1.5E1,0,-0.1;:CHAN:ALER? 9" << "1,15,0,-0.1";
    QTest::newRow("channel 0") << "CHAN:STAT 0,1" << "-222";
    QTest::newRow("unknown type") << "CHAN:CONF 1,\"Q\",1" << "-224";
    QTest::newRow("too many coefficients") << "THER:CUST \"User 1\",1,2,3" << "-108";
    QTest::newRow("alarm in the past") << "PTP:ALAR 1000,0" << "-221";
    QTest::newRow("scan rate") << "ACQ:MODE 0,1001,10,0,0,1" << "-222";
    QTest::newRow("same line for clock and start") << "ACQ:MODE 2,10,10,2,0,1;:ACQ:STAR" << "-221";
    QTest::newRow("trigger stop without line start") << "ACQ:MODE 0,10,10,0,1,1;:ACQ:STAR" << "-221";
    QTest::newRow("read-only attribute") << "ATTR 275,1" << "-224";
    QTest::newRow("missing parameter") << "CHAN:ALER 1,1,2" << "-109";
    QTest::newRow("text for a number") << "CHAN:STAT abc,1" << "-104";
}

void tst_simInstrument::headerAndStringForms()
{
    QFETCH(QString, message);
    QFETCH(QString, reply);
    auto instrument = makeInstrument();
    const QString got = QString::fromStdString(instrument->command(message.toStdString() + ";:SYST:ERR?"));
    if (reply.startsWith('-'))
        QCOMPARE(got.section(',', 0, 0), reply); // a refusal replies nothing but its error
    else
        QCOMPARE(got, reply + ";0,\"No error\"");
    QCOMPARE(instrument->command("SYST:ERR?"), std::string("0,\"No error\""));
}

void tst_simInstrument::savedConfigurationSurvivesRestart_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");
    QTest::newRow("channel state") << "CHAN:STAT 2,0" << "CHAN:STAT? 2" << "0";
    QTest::newRow("channel config") << "CHAN:CONF 5,\"User 1\",0" << "CHAN:CONF? 5" << "\"User 1\",0";
    QTest::newRow("alerts") << "CHAN:ALER 48,1,-5.25,1,80.5" << "CHAN:ALER? 48" << "1,-5.25,1,80.5";
    QTest::newRow("user table") << "THER:CUST \"User 2\",3,0.5,0.0625,-1e-07"
                                << "THER:CUST? \"WebInterface_UB\"" << "3,0.5,0.0625,-1e-07";
    QTest::newRow("data format") << "ATTR 295,5" << "ATTR? 295" << "5";
    QTest::newRow("shadow copy") << "ATTR 309,2" << "ATTR? 309" << "2";
    QTest::newRow("asset number") << "ATTR 273,\"Rack 7\"" << "ATTR? 273" << "\"Rack 7\"";
    QTest::newRow("acquisition mode") << "ACQ:MODE 2,250,1000,3,1,0" << "ACQ:MODE?" << "2,250,1000,3,1,0";
    QTest::newRow("trigger line") << "TRIG:LINE:STAT 3,1" << "TRIG:LINE:STAT? 3" << "1";
    QTest::newRow("output function") << "TRIG:OUTP:FUNC 1,4" << "TRIG:OUTP:FUNC? 1" << "4";
}

void tst_simInstrument::savedConfigurationSurvivesRestart()
{
    QFETCH(QString, setting);
    QFETCH(QString, query);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    {
        auto first = makeInstrument(dir.path().toStdString());
        QCOMPARE(first->command(setting.toStdString() + ";:SYST:CONF:SAVE;:SYST:ERR?"), std::string("0,\"No error\""));
    }
    auto second = makeInstrument(dir.path().toStdString());
    QCOMPARE(QString::fromStdString(second->command(query.toStdString())), expected);
}

void tst_simInstrument::reloadAndReset_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("config");   // CHAN:CONF? 3 afterwards
    QTest::addColumn<QString>("userTable"); // THER:CUST? "User 1" afterwards
    // Saved: type J with OTD off and a user table; then changed to T before the action.
    QTest::newRow("load saved") << "SYST:CONF:LOAD" << "\"J\",0" << "2,1,2";
    QTest::newRow("load factory") << "SYST:CONF:LOAD FACT" << "\"K\",1" << "2,0,0.041";
    QTest::newRow("reset keeps the user tables") << "*RST" << "\"K\",1" << "3,9,9,9";
}

void tst_simInstrument::reloadAndReset()
{
    QFETCH(QString, action);
    QFETCH(QString, config);
    QFETCH(QString, userTable);
    auto instrument = makeInstrument();
    instrument->command("CHAN:CONF 3,\"J\",0;:THER:CUST \"User 1\",2,1,2;:SYST:CONF:SAVE");
    instrument->command("CHAN:CONF 3,\"T\",1;:THER:CUST \"User 1\",3,9,9,9");
    QCOMPARE(instrument->command(action.toStdString() + ";:SYST:ERR?"), std::string("0,\"No error\""));
    QCOMPARE(QString::fromStdString(instrument->command("CHAN:CONF? 3")), config);
    QCOMPARE(QString::fromStdString(instrument->command("THER:CUST? \"User 1\"")), userTable);
}

void tst_simInstrument::failureHook_data()
{
    QTest::addColumn<QString>("hook");
    QTest::addColumn<QStringList>("errors"); // SYST:ERR? after each of four CHAN:STAT? 1
    const QString none = "0,\"No error\"";
    const QString fail = "-222,\"Data out of range; simulated\"";
    QTest::newRow("once") << "SIM:FAIL \"CHAN:STAT\",-222" << QStringList{fail, none, none, none};
    QTest::newRow("twice, query only") << "SIM:FAIL \"channel:state?\",-222,2" << QStringList{fail, fail, none, none};
    QTest::newRow("until cleared") << "SIM:FAIL \"CHAN:STAT\",-222,0" << QStringList{fail, fail, fail, fail};
    QTest::newRow("other command") << "SIM:FAIL \"CHAN:CONF\",-222,0" << QStringList{none, none, none, none};
    QTest::newRow("warning") << "SIM:FAIL \"CHAN:STAT?\",105,1"
                             << QStringList{"105,\"Simulated warning; simulated\"", none, none, none};
}

void tst_simInstrument::failureHook()
{
    QFETCH(QString, hook);
    QFETCH(QStringList, errors);
    auto instrument = makeInstrument();
    QCOMPARE(instrument->command(hook.toStdString() + ";:SYST:ERR?"), std::string("0,\"No error\""));
    for (const QString &expected : errors) {
        const std::string reply = instrument->command("CHAN:STAT? 1;:SYST:ERR?");
        // A failing query replies nothing: only the error entry is left.
        const bool answered = reply.compare(0, 2, "1;") == 0;
        QCOMPARE(QString::fromStdString(reply.substr(answered ? 2 : 0)), expected);
        QCOMPARE(answered, !expected.startsWith('-'));
    }
    instrument->command("SIM:FAIL:CLE");
    QCOMPARE(instrument->command("CHAN:STAT? 1;:SYST:ERR?"), std::string("1;0,\"No error\""));
}

void tst_simInstrument::openChannelAndFixedTemperature()
{
    auto instrument = makeInstrument();
    instrument->command("SIM:CHAN:TEMP 1,123.5;:SIM:CHAN:OPEN 2,1;:CHAN:CONF 3,\"K\",0;:SIM:CHAN:OPEN 3,1");
    std::string bytes;
    QVERIFY(blockPayload(instrument->command("MEAS:SCAN?"), &bytes));
    const std::vector<double> scan = doublesOf(bytes);
    QCOMPARE(scan.size(), size_t(48));
    QCOMPARE(scan[0], 123.5);
    QVERIFY(std::isnan(scan[1]));         // open, OTD on
    QVERIFY(scan[2] > 1900.0);            // open, OTD off: floating
    QVERIFY(scan[3] > 10.0 && scan[3] < 40.0);
    instrument->command("SIM:CHAN:OPEN 2,0;:SIM:CHAN:TEMP:AUTO 1");
    QVERIFY(blockPayload(instrument->command("MEAS:SCAN?"), &bytes));
    QVERIFY(!std::isnan(doublesOf(bytes)[1]));
    QVERIFY(doublesOf(bytes)[0] < 40.0);

    tssim::Options small;
    small.subType = "AA";
    small.webPort = -1;
    tssim::Instrument aa(small);
    QVERIFY(blockPayload(aa.command("MEAS:SCAN?"), &bytes));
    QVERIFY(!std::isnan(doublesOf(bytes)[15]));
    QVERIFY(std::isnan(doublesOf(bytes)[16])); // beyond the model's channels
    QCOMPARE(aa.command("CHAN:STAT? 17;:SYST:ERR?").substr(0, 5), std::string("-222,"));
}

// Settings stay while an acquisition runs; the driver's tests read its scans and layout.
void tst_simInstrument::settingsRefusedWhileRunning()
{
    auto instrument = makeInstrument();
    QCOMPARE(instrument->command("ACQ:MODE 0,1000,0,0,0,1;:ACQ:STAR;:SYST:ERR?"), std::string("0,\"No error\""));
    QCOMPARE(instrument->command("CHAN:STAT 5,0;:SYST:ERR?").substr(0, 5), std::string("-221,"));
    QCOMPARE(instrument->command("ACQ:STOP;:CHAN:STAT 5,0;:CHAN:STAT? 5"), std::string("0"));
}

void tst_simInstrument::voltageFollowsTheReferenceFunction()
{
    auto instrument = makeInstrument();
    for (int ch = 2; ch <= 48; ++ch)
        instrument->command("CHAN:STAT " + std::to_string(ch) + ",0");
    instrument->command("CHAN:CONF 1,\"J\",1;:SIM:CHAN:TEMP 1,100;:ATTR 295,7;:ACQ:MODE 0,1000,1,0,0,0;:ACQ:STAR");
    waitIdle(*instrument);
    std::string bytes;
    QVERIFY(blockPayload(instrument->command("DATA:REM? 10"), &bytes));
    const std::vector<double> v = doublesOf(bytes);
    QCOMPARE(v.size(), size_t(3));
    QCOMPARE(v[0], 100.0);
    QVERIFY(v[2] > 20.0 && v[2] < 30.0);
    QCOMPARE(v[1], tssim::referenceEmf(0, 100.0) - tssim::referenceEmf(0, v[2]));
    QVERIFY(std::fabs(tssim::referenceEmf(0, 100.0) - 5.269) < 0.001); // J at 100 °C
}

void tst_simInstrument::shadowCopyIsAReadableDataFile()
{
    QTemporaryDir dir;
    auto instrument = makeInstrument(dir.path().toStdString());
    for (int ch = 4; ch <= 48; ++ch)
        instrument->command("CHAN:STAT " + std::to_string(ch) + ",0");
    instrument->command("SIM:CHAN:OPEN 2,1;:ATTR 309,2;:ATTR 295,5;:ACQ:MODE 0,100,20,0,0,1;:ACQ:STAR");
    waitIdle(*instrument);
    std::string list;
    QVERIFY(blockPayload(instrument->command("MMEM:CAT? 0"), &list));
    const QStringList lines = QString::fromStdString(list).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2); // the sample recording and this one
    const QStringList fields = lines.last().split(',');
    QCOMPARE(fields.size(), 4);
    QCOMPARE(fields[1], QString("HD"));
    std::string contents;
    QVERIFY(blockPayload(instrument->command("MMEM:DATA? 0,\"" + fields[0].toStdString() + "\""), &contents));
    QCOMPARE(QString::number(contents.size()), fields[2]);
    QVERIFY(contents.find("Timestamp,Channel 1 [\xB0" "C] TC:K OTD enabled,CJ 1 [\xB0" "C],") != std::string::npos);

    // The panel's own reader takes it: 20 rows, three channels, an open one as "nan".
    const QString path = dir.filePath("copy.csv");
    QFile copy(path);
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(contents.data(), static_cast<qint64>(contents.size()));
    copy.close();
    QVERIFY(contents.find(",nan,nan,") != std::string::npos);
    loadedFileRecord record;
    std::memset(&record, 0, sizeof record);
    QCOMPARE(readDataFileHeader(path.toLocal8Bit().constData(), &record), 0);
    QCOMPARE(record.rowCount, 20);
    QCOMPARE(record.presentChannels, 3);

    // Kept on the hard disk across a restart; deleted once.
    instrument.reset();
    auto again = makeInstrument(dir.path().toStdString());
    const std::string del = "MMEM:DEL 0,\"" + fields[0].toStdString() + "\"";
    QCOMPARE(again->command(del + ";:SYST:ERR?"), std::string("0,\"No error\""));
    QCOMPARE(again->command(del + ";:SYST:ERR?").substr(0, 5), std::string("-256,"));
}

QTEST_GUILESS_MAIN(tst_simInstrument)
#include "tst_simInstrument.moc"
