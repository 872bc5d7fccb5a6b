// The three acquisition settings sources side by side: instrument, demo store, loaded file.
#include "acquisitionSettingsSource.h"

#include "demoStore.h"
#include "driverCall.h"
#include "loadedFile.h"
#include "ts4720.h"

#include <QDateTime>
#include <QString>

namespace {

ViUInt32 computerClock()
{
    return ViUInt32(QDateTime::currentSecsSinceEpoch());
}

class instrumentSource : public acquisitionSettingsSource {
public:
    explicit instrumentSource(ViSession vi) : m_vi(vi) {}
    void read(acquisitionSettings &s, ViUInt32 &alarm) override;
    ViUInt32 currentTime() override;
    bool hasStorage(int location) override
    {
        ViInt32 total = 0, free = 0;
        return quietCall(m_vi, [&] { return ts4720_getStorageInfo(m_vi, ViInt16(location), VI_NULL, &total, &free); },
                         "ts4720_getStorageInfo(vi, location, info, &total, &free)") == VI_SUCCESS;
    }

private:
    const ViSession m_vi;
};

class demoSource : public acquisitionSettingsSource {
public:
    void read(acquisitionSettings &s, ViUInt32 &alarm) override;
    ViUInt32 currentTime() override { return computerClock(); }
    bool hasStorage(int) override { return true; }
};

class loadedFileSource : public demoSource {
public:
    void read(acquisitionSettings &s, ViUInt32 &alarm) override;
};

void instrumentSource::read(acquisitionSettings &s, ViUInt32 &alarm)
{
    ViInt16 clock = ViInt16(s.clockSource), start = ViInt16(s.startMode), stop = 0;
    ViReal64 rate = s.scanRate;
    ViInt32 scans = s.numberOfScans;
    ViBoolean timestamps = s.storeTimestamps;
    if (reportedCall(m_vi, [&] { return ts4720_getAcquisitionMode(m_vi, &clock, &rate, &scans, &start, &stop, &timestamps); },
                     "ts4720_getAcquisitionMode(vi, &clkSrc, &scanRateHz, &nScans, &start, &stop, &timestampsOn)")
        >= 0) {
        s.clockSource = clock;
        s.scanRate = rate;
        s.numberOfScans = scans;
        s.startMode = start;
        s.storeTimestamps = timestamps;
        // The instrument keeps a number of scans (0: until stopped) and a trigger stop kind.
        s.stopIndex = -1;
        s.stopData = stop == 1 ? 3 : stop == 2 ? 4 : scans != 0 ? 0 : 2;
    }
    ViUInt32 seconds = alarm;
    if (reportedCall(m_vi, [&] { return ts4720_getPTPAlarm(m_vi, &seconds, VI_NULL); },
                     "ts4720_getPTPAlarm(vi, &sec, VI_NULL)") >= 0)
        alarm = seconds;
    ViInt32 format = 1;
    if (reportedCall(m_vi, [&] { return ts4720_getAttribute(m_vi, ts4720_ATTR_DATA_FORMAT, &format); },
                     "ts4720_getAttribute(vi, ts4720_ATTR_DATA_FORMAT, &value)") >= 0) {
        s.storeVoltage = format & 2;
        s.storeColdJunction = format & 4;
    }
}

ViUInt32 instrumentSource::currentTime()
{
    ViUInt32 seconds = 0;
    if (reportedCall(m_vi, [&] { return ts4720_getPTPTime(m_vi, &seconds, VI_NULL); },
                     "ts4720_getPTPTime(vi, &sec, VI_NULL)") < 0)
        return 0;
    return seconds;
}

void demoSource::read(acquisitionSettings &s, ViUInt32 &alarm)
{
    if (alarm == 0)
        alarm = computerClock();
    const demoStore::AcquisitionSettings d = demoStore::acquisitionSettings();
    s.clockSource = d.clockSource;
    s.scanRate = d.scanRate;
    s.numberOfScans = d.scansNumber;
    s.startMode = d.startMode;
    s.stopIndex = d.stopMode;
    s.stopData = -1;
    s.storeTimestamps = d.storeTimestamps;
    s.storeVoltage = d.storeVoltage;
    s.storeColdJunction = d.storeColdJunction;
}

// The header's texts, as another writer may spell them.
void loadedFileSource::read(acquisitionSettings &s, ViUInt32 &alarm)
{
    const loadedFileRecord &f = loadedFile();
    const QString clock = QString::fromLatin1(f.clockSource).toLower();
    s.clockSource = clock.contains("ptp") ? 1 : clock.contains("rear panel input 1") ? 2
                    : clock.contains("rear panel input 2")                          ? 3
                                                                                     : 0;
    const QString start = QString::fromLatin1(f.startMode).toLower();
    s.startMode = 0;
    if (start.contains("ptp alarm")) {
        s.startMode = 1;
        alarm = ViUInt32(f.alarmSeconds);
    } else if (start.contains("rear panel line 1")) {
        s.startMode = 2;
    } else if (start.contains("rear panel line 2")) {
        s.startMode = 3;
    }
    const QString stop = QString::fromLatin1(f.stopMode).toLower();
    s.stopIndex = stop.contains("predefined time") ? 1 : stop.contains("user request") ? 2
                  : stop.contains("trigger (pulse)")                                   ? 3
                  : stop.contains("trigger (gate)")                                    ? 4
                                                                                       : 0;
    s.stopData = -1;
    s.scanRate = f.scanRate;
    s.numberOfScans = f.numberOfScans;
    if (f.numberOfScans == 0)
        s.stopIndex = 2;
    s.storeTimestamps = f.hasTimestamps;
    s.storeVoltage = f.hasVoltage;
    s.storeColdJunction = f.hasColdJunction;
}

} // namespace

std::unique_ptr<acquisitionSettingsSource> acquisitionSettingsSource::create(const panelContext &context)
{
    if (context.viewer)
        return std::make_unique<loadedFileSource>();
    if (context.demo)
        return std::make_unique<demoSource>();
    return std::make_unique<instrumentSource>(context.vi);
}
