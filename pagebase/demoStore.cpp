// The demo state store over QSettings; one settings object per operation.
#include "demoStore.h"

#include <QMutexLocker>
#include <QSettings>

namespace demoStore {

const char *const organisation = "Tarsel Ltd.";
const char *const application = "Korvan 4720 Soft Front Panel";

namespace {
// The group name keeps the spelling that existing stores were written with.
const char *const acquisitionGroup = "Acqusition Settings";
const char *const triggerGroup = "Trigger Settings";

QString channelGroup(int number) { return QStringLiteral("Channel %1").arg(number); }
QString coefficientGroup(int userType) { return QStringLiteral("Coefficents Therm %1").arg(userType); }
} // namespace

QMutex &lock()
{
    static QMutex mutex; // guards every read-modify sequence on the demo store
    return mutex;
}

int lastModel()
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    return settings.value("Last model", 0).toInt();
}

void setLastModel(int index)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.setValue("Last model", index);
}

int acquisitionState()
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(acquisitionGroup);
    return settings.value("Acq State", 0).toInt();
}

void setAcquisitionState(int state)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(acquisitionGroup);
    settings.setValue("Acq State", state);
}

AcquisitionSettings acquisitionSettings(double scanRateDefault)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(acquisitionGroup);
    AcquisitionSettings s;
    s.clockSource = settings.value("Clock Source", 0).toInt();
    s.scanRate = settings.value("Scan Rate", scanRateDefault).toDouble();
    s.scansNumber = settings.value("Scans Number", 1).toInt();
    s.startMode = settings.value("Start Mode", 0).toInt();
    s.stopMode = settings.value("Stop Mode", 0).toInt();
    s.storeTimestamps = settings.value("Store Timestamps", false).toBool();
    s.storeVoltage = settings.value("Store Thermocouple Voltage", false).toBool();
    s.storeColdJunction = settings.value("Store Cold Junction Temperature", false).toBool();
    return s;
}

void setAcquisitionSettings(const AcquisitionSettings &s, int state)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(acquisitionGroup);
    settings.setValue("Clock Source", s.clockSource);
    settings.setValue("Scan Rate", s.scanRate);
    settings.setValue("Scans Number", s.scansNumber);
    settings.setValue("Start Mode", s.startMode);
    settings.setValue("Stop Mode", s.stopMode);
    settings.setValue("Store Timestamps", s.storeTimestamps);
    settings.setValue("Store Thermocouple Voltage", s.storeVoltage);
    settings.setValue("Store Cold Junction Temperature", s.storeColdJunction);
    settings.setValue("Acq State", state);
}

int plotLength()
{
    QSettings settings(organisation, application);
    settings.beginGroup(acquisitionGroup);
    return settings.value("Plot Length", 100).toInt();
}

void setPlotLength(int length)
{
    QSettings settings(organisation, application);
    settings.beginGroup(acquisitionGroup);
    settings.setValue("Plot Length", length);
}

ChannelSettings channel(int number)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(channelGroup(number));
    ChannelSettings c;
    c.enabled = settings.value("State", false).toBool();
    c.thermocouple = settings.value("Thermocouple", 0).toInt();
    c.otd = settings.value("OTD", false).toBool();
    c.minAlertOn = settings.value("Min Alert On", false).toBool();
    c.minAlertValue = settings.value("Min Alert Val", 0.0).toDouble();
    if (c.minAlertOn)
        c.minAlertText = settings.value("Min Alert Val").toString();
    c.maxAlertOn = settings.value("Max Alert On", false).toBool();
    c.maxAlertValue = settings.value("Max Alert Val", 0.0).toDouble();
    if (c.maxAlertOn)
        c.maxAlertText = settings.value("Max Alert Val").toString();
    return c;
}

void setChannel(int number, const ChannelSettings &c)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(channelGroup(number));
    settings.setValue("State", c.enabled);
    settings.setValue("Thermocouple", c.thermocouple);
    settings.setValue("OTD", c.otd);
    settings.setValue("Min Alert On", c.minAlertOn);
    settings.setValue("Min Alert Val", c.minAlertValue);
    settings.setValue("Max Alert On", c.maxAlertOn);
    settings.setValue("Max Alert Val", c.maxAlertValue);
}

bool channelEnabled(int number)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    return settings.value(channelGroup(number) + "/State", false).toBool();
}

TriggerSettings triggers()
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(triggerGroup);
    TriggerSettings t;
    t.rp1In = settings.value("RP1 In", 0).toInt();
    t.rp2In = settings.value("RP2 In", 0).toInt();
    t.rp1Out = settings.value("RP1 Out", 0).toInt();
    t.rp2Out = settings.value("RP2 Out", 0).toInt();
    t.rp1Func = settings.value("RP1 Func", 0).toInt();
    t.rp2Func = settings.value("RP2 Func", 0).toInt();
    return t;
}

void setTriggers(const TriggerSettings &t)
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(triggerGroup);
    settings.setValue("RP1 In", t.rp1In);
    settings.setValue("RP2 In", t.rp2In);
    settings.setValue("RP1 Out", t.rp1Out);
    settings.setValue("RP2 Out", t.rp2Out);
    settings.setValue("RP1 Func", t.rp1Func);
    settings.setValue("RP2 Func", t.rp2Func);
}

void coefficients(int userType, double coeff[17])
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(coefficientGroup(userType));
    for (int k = 0; k < 17; ++k)
        coeff[k] = settings.value(QStringLiteral("Coeff %1").arg(k + 1), 0.0).toDouble();
}

void setCoefficients(int userType, const double coeff[17])
{
    QMutexLocker locker(&lock());
    QSettings settings(organisation, application);
    settings.beginGroup(coefficientGroup(userType));
    for (int k = 0; k < 17; ++k)
        settings.setValue(QStringLiteral("Coeff %1").arg(k + 1), coeff[k]);
}

void clearAll()
{
    QSettings settings(organisation, application);
    settings.clear();
}

} // namespace demoStore
