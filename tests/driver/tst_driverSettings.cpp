// Every configuration function of the driver round-trips its values through the
// simulated instrument, under the C locale and under locales a user may have (numbers with a
// decimal comma, Turkish case folding).
#include "testInstrument.h"
#include "testLocale.h"
#include "ts4720.h"

#include <QtTest>

#include <cmath>
#include <ctime>

namespace {
const int kArea = 2;
}

class tst_driverSettings : public QObject {
    Q_OBJECT

    testInstrument m_rig;
    ViSession m_vi = 0;
    QTemporaryDir m_dir;

private slots:
    void initTestCase_data() { addLocaleRows(); }
    void initTestCase();
    void init() { useLocaleOfRow(m_dir); }
    void cleanup() { useCLocale(); }
    void lowerCaseDescriptor();
    void textAttributes();
    void channelConfig_data();
    void channelConfig();
    void customCoefficients_data();
    void customCoefficients();
    void integerSettings_data();
    void integerSettings();
    void acquisitionMode_data();
    void acquisitionMode();
    void ptpClockAndAlarm();
    void scanOfAllChannels();
    void savedConfiguration();
};

void tst_driverSettings::initTestCase()
{
    QVERIFY(m_rig.start(kArea));
    m_vi = m_rig.vi;
}

// A descriptor typed in lower case opens (and identifies) the instrument.
void tst_driverSettings::lowerCaseDescriptor()
{
    const std::string descriptor = QString::fromStdString(m_rig.instrument->descriptor()).toLower().toStdString();
    ViSession vi = 0;
    QCOMPARE(ts4720_init(descriptor.c_str(), VI_TRUE, VI_FALSE, &vi), VI_SUCCESS);
    QCOMPARE(ts4720_close(vi), VI_SUCCESS);
}

void tst_driverSettings::textAttributes()
{
    const ViAttr texts[] = {ts4720_ATTR_DESCRIPTION, ts4720_ATTR_ASSET_NO, ts4720_ATTR_CURRENT_HOSTNAME,
                            ts4720_ATTR_CURRENT_IPADDR, ts4720_ATTR_CURRENT_NETMASK,
                            ts4720_ATTR_CURRENT_GATEWAY, ts4720_ATTR_CURRENT_DNS1, ts4720_ATTR_CURRENT_DNS2,
                            ts4720_ATTR_LXI_CLASS, ts4720_ATTR_ETH_ADDR, ts4720_ATTR_PRODUCT_REVISION,
                            ts4720_ATTR_SUB_TYPE};
    for (ViAttr attribute : texts) {
        ViChar value[TS4720_ATTR_STRING_SIZE + 16];
        memset(value, 'x', sizeof value);
        QCOMPARE(ts4720_getAttribute(m_vi, attribute, value), VI_SUCCESS);
        QVERIFY(strlen(value) < TS4720_ATTR_STRING_SIZE);
        std::string expected = m_rig.instrument->command("ATTR? " + std::to_string(attribute));
        QCOMPARE("\"" + std::string(value) + "\"", expected);
    }
    ViUInt32 serial = 0;
    QCOMPARE(ts4720_getAttribute(m_vi, ts4720_ATTR_SER_NUM, &serial), VI_SUCCESS);
    QCOMPARE(serial, tssim::Options().serialNumber);
}

void tst_driverSettings::channelConfig_data()
{
    QTest::addColumn<ViInt16>("channel");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("otd"); // also the minimum alert on, and the channel off
    QTest::addColumn<bool>("maxOn");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    const char *types[] = {"J", "K", "T", "E", "B", "S", "R", "N", "User 1", "User 2"};
    const double limits[] = {-12.625, 1234.5, 0.1, 0.0, -1.0, 99.99};
    for (int i = 0; i < 10; ++i) // channels 1 .. 46, and the last one
        QTest::newRow(types[i]) << ViInt16(i == 9 ? 48 : 1 + i * 5) << QString(types[i]) << bool(i % 2)
                                << bool(i % 3) << limits[(2 * i) % 6] << limits[(2 * i + 1) % 6];
}

void tst_driverSettings::channelConfig()
{
    QFETCH(ViInt16, channel);
    QFETCH(QString, type);
    QFETCH(bool, otd);
    QFETCH(bool, maxOn);
    QFETCH(double, min);
    QFETCH(double, max);
    QCOMPARE(ts4720_setChannelConfig(m_vi, channel, qPrintable(type), otd), VI_SUCCESS);
    QCOMPARE(ts4720_setChannelState(m_vi, channel, !otd), VI_SUCCESS);
    QCOMPARE(ts4720_setAlertConfig(m_vi, channel, otd, min, maxOn, max), VI_SUCCESS);
    ViChar name[TS4720_TYPE_NAME_SIZE];
    ViBoolean flag = 5, readMinOn = 5, readMaxOn = 5;
    ViReal64 readMin = 0, readMax = 0;
    QCOMPARE(ts4720_getChannelState(m_vi, channel, &flag), VI_SUCCESS);
    QCOMPARE(flag, ViBoolean(otd ? VI_FALSE : VI_TRUE));
    QCOMPARE(ts4720_getChannelConfig(m_vi, channel, name, &flag), VI_SUCCESS);
    QCOMPARE(QString(name), type);
    QCOMPARE(flag, ViBoolean(otd ? VI_TRUE : VI_FALSE));
    QCOMPARE(ts4720_getAlertConfig(m_vi, channel, &readMinOn, &readMin, &readMaxOn, &readMax), VI_SUCCESS);
    QCOMPARE(bool(readMinOn), otd);
    QCOMPARE(bool(readMaxOn), maxOn);
    QCOMPARE(readMin, min);
    QCOMPARE(readMax, max);
}

void tst_driverSettings::customCoefficients_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::newRow("User 1, 17") << "User 1" << 17;
    QTest::newRow("User 2, 17") << "User 2" << 17;
    QTest::newRow("User 1, 3") << "User 1" << 3;
}

void tst_driverSettings::customCoefficients()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    ViReal64 written[TS4720_N_USER_COEFFS];
    for (int i = 0; i < TS4720_N_USER_COEFFS; ++i)
        written[i] = (i + 1) * 1.25e-3 * (i % 2 ? -1 : 1) + (name == "User 2" ? 7 : 0);
    QCOMPARE(ts4720_setCustomThermConfig(m_vi, name.toLatin1().constData(), written, ViInt16(count)),
             VI_SUCCESS);
    ViReal64 read[TS4720_N_USER_COEFFS + 4];
    for (double &v : read)
        v = -999.0;
    ViInt32 n = -1;
    QCOMPARE(ts4720_getCustomThermConfig(m_vi, name.toLatin1().constData(), read, &n), VI_SUCCESS);
    QCOMPARE(n, ViInt32(count));
    for (int i = 0; i < count; ++i)
        QCOMPARE(read[i], written[i]);
    QCOMPARE(read[TS4720_N_USER_COEFFS], -999.0); // nothing beyond the 17 entries
    // The web interface's names of the two sets read as well.
    const char *web = name == "User 1" ? "WebInterface_UA" : "WebInterface_UB";
    QCOMPARE(ts4720_getCustomThermConfig(m_vi, web, read, &n), VI_SUCCESS);
    QVERIFY(n >= 0 && n <= TS4720_N_USER_COEFFS);
}

void tst_driverSettings::integerSettings_data()
{
    QTest::addColumn<QString>("kind"); // attribute, line or output
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("value");
    QTest::newRow("data format 5") << "attribute" << int(ts4720_ATTR_DATA_FORMAT) << 5;
    QTest::newRow("shadow copy 2") << "attribute" << int(ts4720_ATTR_SHADOW_COPY) << 2;
    QTest::newRow("shadow copy 0") << "attribute" << int(ts4720_ATTR_SHADOW_COPY) << 0;
    QTest::newRow("line 0 on") << "line" << 0 << 1;
    QTest::newRow("line 3 on") << "line" << 3 << 1;
    QTest::newRow("line 3 off") << "line" << 3 << 0;
    QTest::newRow("output 1 function 4") << "output" << 0 << 4;
    QTest::newRow("output 2 function 3") << "output" << 1 << 3;
}

void tst_driverSettings::integerSettings()
{
    QFETCH(QString, kind);
    QFETCH(int, id);
    QFETCH(int, value);
    ViInt16 read16 = -1;
    ViInt32 read = -1;
    if (kind == "attribute") {
        QCOMPARE(ts4720_setAttribute(m_vi, ViAttr(id), value), VI_SUCCESS);
        QCOMPARE(ts4720_getAttribute(m_vi, ViAttr(id), &read), VI_SUCCESS);
    } else if (kind == "line") {
        QCOMPARE(ts4720_configureRPTrigger(m_vi, ViInt16(id), ViInt16(value)), VI_SUCCESS);
        QCOMPARE(ts4720_getRPTrigger(m_vi, ViInt16(id), &read16), VI_SUCCESS);
    } else {
        QCOMPARE(ts4720_configureOutputTrigger(m_vi, ViInt16(id), ViInt16(value)), VI_SUCCESS);
        QCOMPARE(ts4720_getOutputTrigger(m_vi, ViInt16(id), &read16), VI_SUCCESS);
    }
    QCOMPARE(kind == "attribute" ? read : ViInt32(read16), ViInt32(value));
}

void tst_driverSettings::acquisitionMode_data()
{
    QTest::addColumn<ViInt16>("clock");
    QTest::addColumn<double>("rate");
    QTest::addColumn<ViInt32>("scans");
    QTest::addColumn<ViInt16>("start");
    QTest::addColumn<ViInt16>("stop");
    QTest::addColumn<bool>("timestamps");
    QTest::newRow("internal, fixed count") << ViInt16(0) << 1000.0 << ViInt32(5000) << ViInt16(0) << ViInt16(0) << true;
    QTest::newRow("PTP clock, alarm start") << ViInt16(1) << 4.0 << ViInt32(0) << ViInt16(1) << ViInt16(0) << false;
    QTest::newRow("line 1 clock, line 2 gate") << ViInt16(2) << 262.5 << ViInt32(10) << ViInt16(3) << ViInt16(2) << true;
    QTest::newRow("line 2 clock, line 1 pulse") << ViInt16(3) << 1.0 << ViInt32(1) << ViInt16(2) << ViInt16(1) << false;
}

void tst_driverSettings::acquisitionMode()
{
    QFETCH(ViInt16, clock);
    QFETCH(double, rate);
    QFETCH(ViInt32, scans);
    QFETCH(ViInt16, start);
    QFETCH(ViInt16, stop);
    QFETCH(bool, timestamps);
    QCOMPARE(ts4720_setAcquisitionMode(m_vi, clock, rate, scans, start, stop, timestamps), VI_SUCCESS);
    ViInt16 c = -1, st = -1, sp = -1;
    ViReal64 r = 0;
    ViInt32 n = -1;
    ViBoolean ts = 5;
    QCOMPARE(ts4720_getAcquisitionMode(m_vi, &c, &r, &n, &st, &sp, &ts), VI_SUCCESS);
    QCOMPARE(c, clock);
    QCOMPARE(r, rate);
    QCOMPARE(n, scans);
    QCOMPARE(st, start);
    QCOMPARE(sp, stop);
    QCOMPARE(bool(ts), timestamps);
    ViInt16 state = -1;
    QCOMPARE(ts4720_checkAcquisition(m_vi, &state, VI_NULL), VI_SUCCESS);
    QCOMPARE(state, ViInt16(ts4720_ACQ_IDLE));
}

void tst_driverSettings::ptpClockAndAlarm()
{
    ViUInt32 seconds = 0, nanoseconds = 1234567890;
    QCOMPARE(ts4720_getPTPTime(m_vi, &seconds, &nanoseconds), VI_SUCCESS);
    QVERIFY(nanoseconds < 1000000000u);
    QVERIFY(seconds > 1600000000u);
    QCOMPARE(ts4720_getPTPTime(m_vi, &seconds, VI_NULL), VI_SUCCESS);
    const ViUInt32 alarm = seconds + 3600;
    QCOMPARE(ts4720_setPTPAlarm(m_vi, alarm, 250000000u), VI_SUCCESS);
    ViUInt32 readSeconds = 0, readNs = 0;
    QCOMPARE(ts4720_getPTPAlarm(m_vi, &readSeconds, &readNs), VI_SUCCESS);
    QCOMPARE(readSeconds, alarm);
    QCOMPARE(readNs, 250000000u);
    QCOMPARE(ts4720_getPTPAlarm(m_vi, &readSeconds, VI_NULL), VI_SUCCESS);
    // An alarm in the past is refused by the instrument and the old one stays.
    QCOMPARE(ts4720_setPTPAlarm(m_vi, seconds - 10, 0), TS4720_ERROR_INSTRUMENT);
    QCOMPARE(ts4720_getPTPAlarm(m_vi, &readSeconds, VI_NULL), VI_SUCCESS);
    QCOMPARE(readSeconds, alarm);
}

void tst_driverSettings::scanOfAllChannels()
{
    QCOMPARE(ts4720_setChannelConfig(m_vi, 3, "K", VI_TRUE), VI_SUCCESS);
    m_rig.instrument->command("SIM:CHAN:OPEN 3,1");
    ViReal64 scan[TS4720_MAX_CHANNELS + 1];
    scan[TS4720_MAX_CHANNELS] = 42.0;
    QCOMPARE(ts4720_acquireScan(m_vi, scan), VI_SUCCESS);
    QCOMPARE(scan[TS4720_MAX_CHANNELS], 42.0);
    QVERIFY(std::isnan(scan[2]));
    for (int i : {0, 1, 3, 47})
        QVERIFY2(std::isfinite(scan[i]) && scan[i] > -270.0 && scan[i] < 1800.0, QByteArray::number(i));
    m_rig.instrument->command("SIM:CHAN:OPEN 3,0");
    QCOMPARE(ts4720_acquireScan(m_vi, scan), VI_SUCCESS);
    QVERIFY(std::isfinite(scan[2]));
}

void tst_driverSettings::savedConfiguration()
{
    QCOMPARE(ts4720_setChannelState(m_vi, 30, VI_TRUE), VI_SUCCESS);
    QCOMPARE(ts4720_saveConfig(m_vi), VI_SUCCESS);
    QCOMPARE(ts4720_setChannelState(m_vi, 30, VI_FALSE), VI_SUCCESS);
    QCOMPARE(ts4720_reloadConfig(m_vi, VI_FALSE), VI_SUCCESS);
    ViBoolean enabled = 5;
    QCOMPARE(ts4720_getChannelState(m_vi, 30, &enabled), VI_SUCCESS);
    QCOMPARE(enabled, ViBoolean(VI_TRUE));
    QCOMPARE(ts4720_setChannelConfig(m_vi, 30, "S", VI_TRUE), VI_SUCCESS);
    QCOMPARE(ts4720_reloadConfig(m_vi, VI_TRUE), VI_SUCCESS);
    ViChar defaultType[TS4720_TYPE_NAME_SIZE], resetType[TS4720_TYPE_NAME_SIZE];
    QCOMPARE(ts4720_getChannelConfig(m_vi, 30, defaultType, VI_NULL), VI_SUCCESS);
    QCOMPARE(ts4720_setChannelConfig(m_vi, 30, "S", VI_TRUE), VI_SUCCESS);
    QCOMPARE(ts4720_reset(m_vi), VI_SUCCESS);
    QCOMPARE(ts4720_getChannelConfig(m_vi, 30, resetType, VI_NULL), VI_SUCCESS);
    QCOMPARE(QString(resetType), QString(defaultType));
}

QTEST_GUILESS_MAIN(tst_driverSettings)
#include "tst_driverSettings.moc"
