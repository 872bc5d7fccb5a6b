// Driver sessions: opening, identification, statuses and their texts, argument checks,
// instrument errors and warnings, lost connections, timeouts and concurrent callers.
#include "testInstrument.h"
#include "ts2900.h"
#include "ts4720.h"
#include "ts4720_ext.h"
#include "visa.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <thread>
#include <vector>

namespace {
const int kArea = 1;

struct BadCall {
    const char *name;
    std::function<ViStatus(ViSession)> call;
    ViStatus expected;
};

std::vector<BadCall> badCalls()
{
    static ViChar text[256];
    static ViReal64 values[64];
    static ViInt16 i16;
    static ViInt32 i32;
    static ViBoolean flag;
    static ViUInt32 u32;
    return {
        {"error_message NULL", [](ViSession vi) { return ts4720_error_message(vi, 0, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"revision NULL", [](ViSession vi) { return ts4720_revision_query(vi, nullptr, text); }, TS4720_ERROR_NULL_POINTER},
        {"attribute unknown", [](ViSession vi) { return ts4720_getAttribute(vi, 999, text); }, TS4720_ERROR_INV_ATTRIBUTE},
        {"attribute NULL", [](ViSession vi) { return ts4720_getAttribute(vi, ts4720_ATTR_SER_NUM, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"attribute read-only", [](ViSession vi) { return ts4720_setAttribute(vi, ts4720_ATTR_DESCRIPTION, 1); }, TS4720_ERROR_ATTR_READ_ONLY},
        {"set unknown attribute", [](ViSession vi) { return ts4720_setAttribute(vi, 1, 1); }, TS4720_ERROR_INV_ATTRIBUTE},
        {"data format without temperature", [](ViSession vi) { return ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, 2); }, TS4720_ERROR_INV_PARAMETER},
        {"shadow copy 3", [](ViSession vi) { return ts4720_setAttribute(vi, ts4720_ATTR_SHADOW_COPY, 3); }, TS4720_ERROR_INV_PARAMETER},
        {"channel 0", [](ViSession vi) { return ts4720_getChannelState(vi, 0, &flag); }, TS4720_ERROR_INV_CHANNEL},
        {"channel 49", [](ViSession vi) { return ts4720_setChannelState(vi, 49, VI_TRUE); }, TS4720_ERROR_INV_CHANNEL},
        {"state NULL", [](ViSession vi) { return ts4720_getChannelState(vi, 1, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"type buffer NULL", [](ViSession vi) { return ts4720_getChannelConfig(vi, 1, nullptr, &flag); }, TS4720_ERROR_NULL_POINTER},
        {"type lower case", [](ViSession vi) { return ts4720_setChannelConfig(vi, 1, "k", VI_FALSE); }, TS4720_ERROR_INV_TYPE_NAME},
        {"type of coefficients", [](ViSession vi) { return ts4720_setChannelConfig(vi, 1, "WebInterface_UA", VI_FALSE); }, TS4720_ERROR_INV_TYPE_NAME},
        {"alert NULL", [](ViSession vi) { ViReal64 v; return ts4720_getAlertConfig(vi, 1, &flag, &v, &flag, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"alert NaN", [](ViSession vi) { return ts4720_setAlertConfig(vi, 1, VI_TRUE, std::nan(""), VI_FALSE, 0.0); }, TS4720_ERROR_INV_PARAMETER},
        {"custom K", [](ViSession vi) { return ts4720_getCustomThermConfig(vi, "K", values, &i32); }, TS4720_ERROR_INV_TYPE_NAME},
        {"custom count NULL", [](ViSession vi) { return ts4720_getCustomThermConfig(vi, "User 1", values, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"custom count 18", [](ViSession vi) { return ts4720_setCustomThermConfig(vi, "User 1", values, 18); }, TS4720_ERROR_INV_PARAMETER},
        {"scan NULL", [](ViSession vi) { return ts4720_acquireScan(vi, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"mode clock 4", [](ViSession vi) { return ts4720_setAcquisitionMode(vi, 4, 10.0, 1, 0, 0, VI_FALSE); }, TS4720_ERROR_INV_PARAMETER},
        {"mode stop 3", [](ViSession vi) { return ts4720_setAcquisitionMode(vi, 0, 10.0, 1, 0, 3, VI_FALSE); }, TS4720_ERROR_INV_PARAMETER},
        {"threshold 0", [](ViSession vi) { return ts4720_startAcquisitionEx(vi, 0, nullptr, nullptr); }, TS4720_ERROR_INV_PARAMETER},
        {"check NULL", [](ViSession vi) { return ts4720_checkAcquisition(vi, nullptr, &i32); }, TS4720_ERROR_NULL_POINTER},
        {"read NULL data", [](ViSession vi) { ViInt32 r, n; return ts4720_readAcquisition(vi, 1, 0, &r, &n, nullptr, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"read -1 scans", [](ViSession vi) { ViInt32 r, n; return ts4720_readAcquisition(vi, -1, 0, &r, &n, values, nullptr); }, TS4720_ERROR_INV_PARAMETER},
        {"PTP time NULL", [](ViSession vi) { return ts4720_getPTPTime(vi, nullptr, &u32); }, TS4720_ERROR_NULL_POINTER},
        {"PTP alarm ns", [](ViSession vi) { return ts4720_setPTPAlarm(vi, 2000000000u, 1000000000u); }, TS4720_ERROR_INV_PARAMETER},
        {"output 2", [](ViSession vi) { return ts4720_getOutputTrigger(vi, 2, &i16); }, TS4720_ERROR_INV_PARAMETER},
        {"output function 5", [](ViSession vi) { return ts4720_configureOutputTrigger(vi, 0, 5); }, TS4720_ERROR_INV_PARAMETER},
        {"line 4", [](ViSession vi) { return ts4720_configureRPTrigger(vi, 4, 0); }, TS4720_ERROR_INV_PARAMETER},
        {"line NULL", [](ViSession vi) { return ts4720_getRPTrigger(vi, 0, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"storage location 2", [](ViSession vi) { return ts4720_getStorageInfo(vi, 2, text, &i32, &i32); }, TS4720_ERROR_INV_PARAMETER},
        {"storage totals NULL", [](ViSession vi) { return ts4720_getStorageInfo(vi, 0, text, nullptr, &i32); }, TS4720_ERROR_NULL_POINTER},
        {"file list both NULL", [](ViSession vi) { return ts4720_getStorageFileList(vi, nullptr, nullptr); }, TS4720_ERROR_NULL_POINTER},
        {"delete quote in name", [](ViSession vi) { return ts4720_deleteFile(vi, 0, "a\";*RST;\""); }, TS4720_ERROR_INV_PARAMETER},
        {"download NULL path", [](ViSession vi) { return ts4720_downloadFile(vi, 1, "a.csv", nullptr); }, TS4720_ERROR_INV_PARAMETER},
        {"timeout 0", [](ViSession vi) { return ts4720_setTimeout(vi, 0); }, TS4720_ERROR_INV_PARAMETER},
    };
}
struct FailingCall {
    const char *name;
    const char *header; // the SCPI header the call uses
    std::function<ViStatus(ViSession, tssim::Instrument &)> call;
};

void noCallback(ViSession, ViInt32, ViInt16, ViAddr) {}

std::vector<FailingCall> failingCalls()
{
    static ViChar text[TS4720_ERROR_MESSAGE_SIZE];
    static ViReal64 values[3 * TS4720_MAX_CHANNELS];
    static ViInt32 stamps[2];
    static ViInt16 i16;
    static ViInt32 i32, i32b;
    static ViBoolean b1, b2;
    static ViUInt32 u32;
    using I = tssim::Instrument;
    return {
        {"reset", "*RST", [](ViSession vi, I &) { return ts4720_reset(vi); }},
        {"revision_query", "*IDN?", [](ViSession vi, I &) { return ts4720_revision_query(vi, text, text); }},
        {"identify", "SYST:IDEN", [](ViSession vi, I &) { return ts4720_identify(vi, VI_TRUE); }},
        {"saveConfig", "SYST:CONF:SAVE", [](ViSession vi, I &) { return ts4720_saveConfig(vi); }},
        {"reloadConfig", "SYST:CONF:LOAD", [](ViSession vi, I &) { return ts4720_reloadConfig(vi, VI_TRUE); }},
        {"getAttribute", "ATTR?", [](ViSession vi, I &) { return ts4720_getAttribute(vi, ts4720_ATTR_LXI_CLASS, text); }},
        {"setAttribute", "ATTR", [](ViSession vi, I &) { return ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, 3); }},
        {"getChannelState", "CHAN:STAT?", [](ViSession vi, I &) { return ts4720_getChannelState(vi, 1, &b1); }},
        {"setChannelState", "CHAN:STAT", [](ViSession vi, I &) { return ts4720_setChannelState(vi, 1, VI_TRUE); }},
        {"getChannelConfig", "CHAN:CONF?", [](ViSession vi, I &) { return ts4720_getChannelConfig(vi, 1, text, &b1); }},
        {"setChannelConfig", "CHAN:CONF", [](ViSession vi, I &) { return ts4720_setChannelConfig(vi, 1, "J", VI_TRUE); }},
        {"getAlertConfig", "CHAN:ALER?", [](ViSession vi, I &) { return ts4720_getAlertConfig(vi, 1, &b1, values, &b2, values + 1); }},
        {"setAlertConfig", "CHAN:ALER", [](ViSession vi, I &) { return ts4720_setAlertConfig(vi, 1, VI_TRUE, 1.0, VI_TRUE, 2.0); }},
        {"getCustomThermConfig", "THER:CUST?", [](ViSession vi, I &) { return ts4720_getCustomThermConfig(vi, "WebInterface_UB", values, &i32); }},
        {"setCustomThermConfig", "THER:CUST", [](ViSession vi, I &) { return ts4720_setCustomThermConfig(vi, "User 2", values, 3); }},
        {"acquireScan", "MEAS:SCAN?", [](ViSession vi, I &) { return ts4720_acquireScan(vi, values); }},
        {"getAcquisitionMode", "ACQ:MODE?", [](ViSession vi, I &) { return ts4720_getAcquisitionMode(vi, &i16, values, &i32, &i16, &i16, &b1); }},
        {"setAcquisitionMode", "ACQ:MODE", [](ViSession vi, I &) { return ts4720_setAcquisitionMode(vi, 0, 10.0, 5, 0, 0, VI_TRUE); }},
        {"checkAcquisition", "ACQ:STAT?", [](ViSession vi, I &) { return ts4720_checkAcquisition(vi, &i16, &i32); }},
        {"startAcquisitionEx", "ACQ:STAR", [](ViSession vi, I &) {
             ViStatus status = ts4720_startAcquisitionEx(vi, 1, noCallback, nullptr);
             ts4720_stopAcquisition(vi);
             return status; }},
        {"stopAcquisition", "ACQ:STOP", [](ViSession vi, I &) { return ts4720_stopAcquisition(vi); }},
        {"readAcquisition", "DATA:FETC?", [](ViSession vi, I &instrument) {
             instrument.command("ACQ:MODE 0,1000,2,0,0,1;:CHAN:STAT 1,1");
             ts4720_startAcquisitionEx(vi, 1, nullptr, nullptr);
             ts2900_delay(20);
             return ts4720_readAcquisition(vi, 1, 0, &i32, &i32b, values, stamps); }},
        {"getPTPTime", "PTP:TIME?", [](ViSession vi, I &) { return ts4720_getPTPTime(vi, &u32, VI_NULL); }},
        {"getPTPAlarm", "PTP:ALAR?", [](ViSession vi, I &) { return ts4720_getPTPAlarm(vi, &u32, VI_NULL); }},
        {"setPTPAlarm", "PTP:ALAR", [](ViSession vi, I &) {
             ts4720_getPTPTime(vi, &u32, VI_NULL);
             return ts4720_setPTPAlarm(vi, u32 + 100, 0); }},
        {"getOutputTrigger", "TRIG:OUTP:FUNC?", [](ViSession vi, I &) { return ts4720_getOutputTrigger(vi, 1, &i16); }},
        {"configureOutputTrigger", "TRIG:OUTP:FUNC", [](ViSession vi, I &) { return ts4720_configureOutputTrigger(vi, 1, 2); }},
        {"getRPTrigger", "TRIG:LINE:STAT?", [](ViSession vi, I &) { return ts4720_getRPTrigger(vi, 3, &i16); }},
        {"configureRPTrigger", "TRIG:LINE:STAT", [](ViSession vi, I &) { return ts4720_configureRPTrigger(vi, 3, 1); }},
        {"getStorageInfo", "MMEM:INFO?", [](ViSession vi, I &) { return ts4720_getStorageInfo(vi, 1, text, &i32, &i32b); }},
        {"getStorageFileList", "MMEM:CAT?", [](ViSession vi, I &) { return ts4720_getStorageFileList(vi, VI_NULL, &i32); }},
        {"deleteFile", "MMEM:DEL", [](ViSession vi, I &) {
             return ts4720_deleteFile(vi, ts4720_STORAGE_RAM, qPrintable(fileOn(storedFileList(vi), "RAM"))); }},
        {"downloadFile", "MMEM:DATA?", [](ViSession vi, I &) {
             QTemporaryDir dir;
             return ts4720_downloadFile(vi, ts4720_STORAGE_RAM, qPrintable(fileOn(storedFileList(vi), "RAM")),
                                        qPrintable(dir.filePath("f.csv"))); }},
    };
}
} // namespace

class tst_driverSession : public QObject {
    Q_OBJECT

    testInstrument m_shared; // for the calls that never reach the instrument

private slots:
    void initTestCase() { QVERIFY(m_shared.start(kArea)); }
    void openIdentifyAndRevisions();
    void openChecks_data();
    void openChecks();
    void badArguments_data();
    void badArguments();
    void closedAndUnknownSessions();
    void everyStatusHasAText();
    void instrumentErrorsAndWarnings();
    void instrumentFailureOfEveryCall_data();
    void instrumentFailureOfEveryCall();
    void connectionFailures_data();
    void connectionFailures();
    void twoThreads_data();
    void twoThreads();
};

void tst_driverSession::openIdentifyAndRevisions()
{
    std::string error;
    auto instrument = startInstrument(kArea, testOptions(std::string()), &error);
    QVERIFY2(instrument, error.c_str());
    ViSession vi = 0;
    QCOMPARE(ts4720_init(instrument->descriptor().c_str(), VI_TRUE, VI_TRUE, &vi), VI_SUCCESS);
    QVERIFY(vi != 0);

    ViChar driver[TS4720_REVISION_SIZE] = {0};
    ViChar firmware[TS4720_REVISION_SIZE] = {0};
    QCOMPARE(ts4720_revision_query(0, driver, VI_NULL), VI_SUCCESS);
    QCOMPARE(ts4720_revision_query(vi, driver, firmware), VI_SUCCESS);
    QStringList idn = QString::fromStdString(instrument->command("*IDN?")).split(',');
    QCOMPARE(idn.size(), 4);
    QCOMPARE(QString(firmware), idn.at(3));
    QCOMPARE(ts4720_revision_query(0, driver, firmware), TS4720_ERROR_INV_SESSION);

    QCOMPARE(ts4720_reset(vi), VI_SUCCESS);
    QCOMPARE(ts4720_identify(vi, VI_TRUE), VI_SUCCESS);
    QCOMPARE(QString::fromStdString(instrument->command("SYST:IDEN?")), QString("1"));
    QCOMPARE(ts4720_identify(vi, VI_FALSE), VI_SUCCESS);
    QCOMPARE(QString::fromStdString(instrument->command("SYST:IDEN?")), QString("0"));
    QCOMPARE(ts4720_close(vi), VI_SUCCESS);
}

void tst_driverSession::openChecks_data()
{
    QTest::addColumn<QString>("identity"); // of an instrument started for the row, or ""
    QTest::addColumn<QString>("resource"); // opened when no instrument is started
    QTest::addColumn<bool>("idQuery");
    QTest::addColumn<ViStatus>("expected");
    const ViStatus refused = TS4720_ERROR_NOT_IDENTIFIED, failed = VI_ERROR_SYSTEM_ERROR; // any negative
    QTest::newRow("other model") << "Tarsel Ltd.,Korvan 4710,1234,1.0" << "" << true << refused;
    QTest::newRow("other maker") << "Other Maker,Korvan 4720,1234,1.0" << "" << true << refused;
    QTest::newRow("not checked") << "Other Maker,Model 1,1234,1.0" << "" << false << ViStatus(VI_SUCCESS);
    QTest::newRow("ours") << "Tarsel Ltd.,Korvan 4720,47209481,2.1" << "" << true << ViStatus(VI_SUCCESS);
    QTest::newRow("nobody listening") << "" << QString::fromStdString("TCPIP::" + testAddress(kArea) + "::INSTR")
                                      << true << failed;
    QTest::newRow("malformed") << "" << "TCPIP::::INSTR::x" << true << failed;
    QTest::newRow("serial port") << "" << "ASRL1::INSTR" << true << failed;
}

void tst_driverSession::openChecks()
{
    QFETCH(QString, identity);
    QFETCH(QString, resource);
    QFETCH(bool, idQuery);
    QFETCH(ViStatus, expected);
    std::string error;
    std::unique_ptr<tssim::Instrument> instrument;
    if (!identity.isEmpty()) {
        instrument = startInstrument(kArea, testOptions(std::string(), "AC", identity.toStdString()), &error);
        QVERIFY2(instrument, error.c_str());
        resource = QString::fromStdString(instrument->descriptor());
    }
    ViSession vi = 0xDEAD;
    ViStatus status = ts4720_init(qPrintable(resource), idQuery, VI_FALSE, &vi);
    if (expected == VI_ERROR_SYSTEM_ERROR)
        QVERIFY(status < 0);
    else
        QCOMPARE(status, expected);
    if (status < 0) {
        QCOMPARE(vi, ViSession(0));
        QVERIFY(!statusText(0, status).empty());
    } else {
        QVERIFY(vi != 0);
        QCOMPARE(ts4720_close(vi), VI_SUCCESS);
    }
    QCOMPARE(ts4720_init(nullptr, VI_FALSE, VI_FALSE, &vi), TS4720_ERROR_INV_PARAMETER);
    QCOMPARE(ts4720_init(qPrintable(resource), VI_FALSE, VI_FALSE, nullptr), TS4720_ERROR_NULL_POINTER);
}

void tst_driverSession::badArguments_data()
{
    QTest::addColumn<int>("index");
    std::vector<BadCall> calls = badCalls();
    for (size_t i = 0; i < calls.size(); ++i)
        QTest::newRow(calls[i].name) << int(i);
}

void tst_driverSession::badArguments()
{
    QFETCH(int, index);
    BadCall bad = badCalls()[size_t(index)];
    m_shared.instrument->command("*CLS");
    ViStatus status = bad.call(m_shared.vi);
    QCOMPARE(status, bad.expected);
    QVERIFY(!statusText(m_shared.vi, status).empty());
    // Nothing reached the instrument.
    QCOMPARE(m_shared.instrument->command("SYST:ERR?"), std::string("0,\"No error\""));
}

void tst_driverSession::closedAndUnknownSessions()
{
    testInstrument rig;
    QVERIFY(rig.start(kArea));
    const ViSession vi = rig.vi;
    QCOMPARE(ts4720_close(vi), VI_SUCCESS);
    ViBoolean enabled = 0;
    ViInt16 state = 0;
    QCOMPARE(ts4720_close(vi), TS4720_ERROR_INV_SESSION);
    QCOMPARE(ts4720_getChannelState(vi, 1, &enabled), TS4720_ERROR_INV_SESSION);
    QCOMPARE(ts4720_checkAcquisition(vi, &state, VI_NULL), TS4720_ERROR_INV_SESSION);
    QCOMPARE(ts4720_stopAcquisition(12345), TS4720_ERROR_INV_SESSION);
    QCOMPARE(ts4720_reset(0), TS4720_ERROR_INV_SESSION);
    // A new session never gets the old handle back.
    rig.vi = openSession(*rig.instrument);
    QVERIFY(rig.vi != 0 && rig.vi != vi);
}

void tst_driverSession::everyStatusHasAText()
{
    const ViStatus statuses[] = {
        VI_SUCCESS, TS4720_ERROR_INSTRUMENT, TS4720_ERROR_INV_SESSION, TS4720_ERROR_NULL_POINTER,
        TS4720_ERROR_INV_CHANNEL, TS4720_ERROR_INV_TYPE_NAME, TS4720_ERROR_INV_PARAMETER,
        TS4720_ERROR_INV_ATTRIBUTE, TS4720_ERROR_ATTR_READ_ONLY, TS4720_ERROR_NOT_IDENTIFIED,
        TS4720_ERROR_BAD_RESPONSE, TS4720_ERROR_ACQ_RUNNING, TS4720_ERROR_ACQ_NOT_RUNNING,
        TS4720_ERROR_ACQ_OVERFLOW, TS4720_ERROR_BUFFER_TOO_SMALL, TS4720_ERROR_FILE_IO, TS4720_ERROR_CONNECTION_DOWN,
        TS4720_WARN_INSTRUMENT, VI_ERROR_TMO, VI_ERROR_CONN_LOST, VI_ERROR_RSRC_NFOUND,
        VI_ERROR_INV_RSRC_NAME, VI_ERROR_IO, VI_ERROR_SYSTEM_ERROR};
    QSet<QString> texts;
    for (ViStatus status : statuses) {
        ViChar message[TS4720_ERROR_MESSAGE_SIZE + 8];
        memset(message, 'x', sizeof message);
        QCOMPARE(ts4720_error_message(0, status, message), VI_SUCCESS);
        QVERIFY(strlen(message) > 0 && strlen(message) < TS4720_ERROR_MESSAGE_SIZE);
        texts.insert(message);
    }
    QCOMPARE(texts.size(), int(sizeof statuses / sizeof statuses[0]));
}

void tst_driverSession::instrumentErrorsAndWarnings()
{
    testInstrument rig;
    QVERIFY(rig.start(kArea));
    // An error leaves the out value alone, is used up, and leaves the error queue empty.
    rig.instrument->command("SIM:FAIL \"CHAN:STAT?\",-310;:CHAN:STAT 4,1");
    ViBoolean enabled = 7;
    QCOMPARE(ts4720_getChannelState(rig.vi, 4, &enabled), TS4720_ERROR_INSTRUMENT);
    QCOMPARE(enabled, ViBoolean(7));
    QCOMPARE(rig.instrument->command("SYST:ERR?"), std::string("0,\"No error\""));
    // A warning completes the call.
    rig.instrument->command("SIM:FAIL \"CHAN:STAT?\",12");
    QCOMPARE(ts4720_getChannelState(rig.vi, 4, &enabled), TS4720_WARN_INSTRUMENT);
    QCOMPARE(enabled, ViBoolean(VI_TRUE));
    QCOMPARE(ts4720_getChannelState(rig.vi, 4, &enabled), VI_SUCCESS);
}

void tst_driverSession::instrumentFailureOfEveryCall_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("code");
    std::vector<FailingCall> calls = failingCalls();
    for (size_t i = 0; i < calls.size(); ++i) {
        QTest::addRow("%s, error", calls[i].name) << int(i) << -300;
        QTest::addRow("%s, warning", calls[i].name) << int(i) << 301;
    }
}

void tst_driverSession::instrumentFailureOfEveryCall()
{
    QFETCH(int, index);
    QFETCH(int, code);
    testInstrument rig;
    QVERIFY(rig.start(kArea));
    FailingCall failing = failingCalls()[size_t(index)];
    QCOMPARE(rig.instrument->command(std::string("SIM:FAIL \"") + failing.header + "\","
                                     + std::to_string(code) + ";:SYST:ERR?"),
             std::string("0,\"No error\""));
    ViStatus status = failing.call(rig.vi, *rig.instrument);
    QCOMPARE(status, code < 0 ? TS4720_ERROR_INSTRUMENT : TS4720_WARN_INSTRUMENT);
    const std::string text = statusText(rig.vi, status);
    QVERIFY2(text.find(std::to_string(code)) != std::string::npos, text.c_str());
}

void tst_driverSession::connectionFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("connection dropped") << "drop";
    QTest::newRow("instrument stopped") << "stop";
    QTest::newRow("reply too late") << "delay";
    QTest::newRow("instrument silent") << "silent";
}

// The first call on a failed link reports the failure; the calls after it fail at once
// without being sent, so a burst waits one timeout in all; once the retry interval has
// passed, a call reopens the link and gets through, never taking a late reply for its answer.
void tst_driverSession::connectionFailures()
{
    QFETCH(QString, fault);
    testInstrument rig;
    QVERIFY(rig.start(kArea));
    QCOMPARE(ts4720_setTimeout(rig.vi, 200), VI_SUCCESS);
    rig.instrument->command("CHAN:STAT 5,1;:CHAN:STAT 6,0");
    if (fault == "drop")
        QVERIFY(sendOverNetwork(*rig.instrument, "SIM:DROP"));
    else if (fault == "stop")
        rig.instrument->stop();
    else
        rig.instrument->command(fault == "delay" ? "SIM:DELAY 1000" : "SIM:SIL 1");
    ViBoolean enabled = 0;
    const ViStatus first = ts4720_getChannelState(rig.vi, 5, &enabled);
    QVERIFY(ts4720_isConnectionFailure(first) && first != TS4720_ERROR_CONNECTION_DOWN);
    QVERIFY(fault != "delay" || first == VI_ERROR_TMO);
    QVERIFY(!statusText(rig.vi, first).empty());
    for (int i = 0; i < 20; ++i)
        QCOMPARE(ts4720_setChannelState(rig.vi, 6, VI_TRUE), TS4720_ERROR_CONNECTION_DOWN);

    // Back again: the session learns it at its next call after the retry interval.
    if (fault == "stop")
        QVERIFY(rig.instrument->start());
    rig.instrument->command("SIM:DELAY 0;:SIM:SIL 0");
    QCOMPARE(ts4720_getChannelState(rig.vi, 6, &enabled), TS4720_ERROR_CONNECTION_DOWN);
    ts2900_delay(TS4720_RETRY_INTERVAL_MS + 100);
    QCOMPARE(ts4720_getChannelState(rig.vi, 6, &enabled), VI_SUCCESS);
    QCOMPARE(enabled, ViBoolean(VI_FALSE)); // none of the refused calls reached it
    QCOMPARE(ts4720_getChannelState(rig.vi, 5, &enabled), VI_SUCCESS);
    QCOMPARE(enabled, ViBoolean(VI_TRUE));
}

static void toggleChannel(ViSession vi, ViInt16 channel, int *failures)
{
    for (int i = 0; i < 200; ++i) {
        ViBoolean want = (i % 2) ? VI_TRUE : VI_FALSE, got = 2;
        if (ts4720_setChannelState(vi, channel, want) != VI_SUCCESS
            || ts4720_getChannelState(vi, channel, &got) != VI_SUCCESS || got != want)
            ++*failures;
    }
}

void tst_driverSession::twoThreads_data()
{
    QTest::addColumn<bool>("oneSession");
    QTest::newRow("two sessions") << false;
    QTest::newRow("one session") << true;
}

void tst_driverSession::twoThreads()
{
    QFETCH(bool, oneSession);
    testInstrument rig;
    QVERIFY(rig.start(kArea));
    ViSession other = oneSession ? rig.vi : openSession(*rig.instrument);
    QVERIFY(other != 0);
    int failuresA = 0, failuresB = 0;
    std::thread ta(toggleChannel, rig.vi, ViInt16(10), &failuresA);
    std::thread tb(toggleChannel, other, ViInt16(11), &failuresB);
    ta.join();
    tb.join();
    QCOMPARE(failuresA, 0);
    QCOMPARE(failuresB, 0);
    if (!oneSession)
        QCOMPARE(ts4720_close(other), VI_SUCCESS);
}

QTEST_GUILESS_MAIN(tst_driverSession)
#include "tst_driverSession.moc"
