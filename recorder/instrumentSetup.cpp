// Reading and programming the instrument for a run.
#include "instrumentSetup.h"

#include "modelTable.h"

#include <QDateTime>

#include <algorithm>
#include <charconv>

namespace {

bool check(ViStatus status, const std::string &call, setupError *error)
{
    if (status >= VI_SUCCESS)
        return true;
    *error = {call, status};
    return false;
}

std::string serialText(ViUInt32 serial)
{
    char digits[9] = {};
    const auto result = std::to_chars(digits, digits + 8, serial, 16);
    const std::string hex(digits, result.ptr);
    return std::string(8 - hex.size(), '0') + hex;
}

// The stop argument of the acquisition mode: 1 on a trigger pulse, 2 at the end of a gate.
ViInt16 stopCode(stopRule rule)
{
    return rule == stopRule::onPulse ? 1 : rule == stopRule::onGate ? 2 : 0;
}

} // namespace

const char *clockSourceText(int code)
{
    static const char *const texts[] = {"Internal", "PTP", "Rear Panel Line 1", "Rear Panel Line 2"};
    return texts[code & 3];
}

const char *startModeText(int code)
{
    static const char *const texts[] = {"Immediate", "PTP Alarm", "Rear Panel Line 1", "Rear Panel Line 2"};
    return texts[code & 3];
}

const char *stopModeText(stopRule rule)
{
    switch (rule) {
    case stopRule::afterScans: return "Stop after predefined number of scans is acquired";
    case stopRule::afterTime: return "Stop after predefined time";
    case stopRule::onPulse: return "Stop on trigger (pulse)";
    case stopRule::onGate: return "Stop on trigger (gate)";
    default: return "Stop on user request";
    }
}

bool readInstrumentFacts(ViSession vi, instrumentFacts *facts, setupError *error)
{
    ViChar subType[TS4720_ATTR_STRING_SIZE] = {};
    if (!check(ts4720_getAttribute(vi, ts4720_ATTR_SUB_TYPE, subType), "ts4720_getAttribute(vi, ts4720_ATTR_SUB_TYPE, subType)", error))
        return false;
    facts->subType = subType;
    // A sub-type of no model we know: all channels, as the largest model has.
    facts->channelCount = modelTable::channelsOf(facts->subType);
    if (facts->channelCount == 0)
        facts->channelCount = modelTable::maxChannels;
    ViUInt32 serial = 0;
    const bool haveSerial = ts4720_getAttribute(vi, ts4720_ATTR_SER_NUM, &serial) >= VI_SUCCESS;
    facts->serialText = haveSerial ? serialText(serial) : "Not Available";
    facts->enabledChannels.clear();
    for (ViInt16 ch = 1; ch <= facts->channelCount; ++ch) {
        ViBoolean on = VI_FALSE;
        if (!check(ts4720_getChannelState(vi, ch, &on), "ts4720_getChannelState(vi, " + std::to_string(ch) + ", &en)", error))
            return false;
        if (on)
            facts->enabledChannels.push_back(ch);
    }
    return check(ts4720_getAcquisitionMode(vi, VI_NULL, &facts->rate, VI_NULL, VI_NULL, VI_NULL, VI_NULL),
                 "ts4720_getAcquisitionMode(vi, ...)", error)
           && check(ts4720_getPTPTime(vi, &facts->ptpSeconds, VI_NULL), "ts4720_getPTPTime(vi, &sec, VI_NULL)", error);
}

bool readColumns(ViSession vi, const runPlan &plan, dataFileColumns *columns, setupError *error)
{
    columns->timestamps = plan.options.timestamps;
    columns->voltage = plan.options.voltage;
    columns->coldJunction = plan.options.coldJunction;
    columns->channels.clear();
    for (int ch : plan.channels) {
        ViChar type[TS4720_TYPE_NAME_SIZE] = {};
        ViBoolean otd = VI_FALSE;
        if (!check(ts4720_getChannelConfig(vi, ViInt16(ch), type, &otd),
                   "ts4720_getChannelConfig(vi, " + std::to_string(ch) + ", thermType, &otd)", error))
            return false;
        columns->channels.push_back({ch, type, otd != VI_FALSE});
    }
    return true;
}

bool programInstrument(ViSession vi, const runPlan &plan, const instrumentFacts &facts, setupError *error)
{
    const recorderOptions &o = plan.options;
    if (!check(ts4720_setAcquisitionMode(vi, ViInt16(o.clock), plan.rate, ViInt32(plan.scans), ViInt16(o.start),
                                         stopCode(o.stop), o.timestamps ? VI_TRUE : VI_FALSE),
               "ts4720_setAcquisitionMode(vi, ...)", error)
        || !check(ts4720_setAttribute(vi, ts4720_ATTR_SHADOW_COPY, o.storage),
                  "ts4720_setAttribute(vi, ts4720_ATTR_SHADOW_COPY, " + std::to_string(o.storage) + ")", error))
        return false;
    for (int ch = 1; ch <= facts.channelCount; ++ch) {
        const bool wanted = std::binary_search(plan.channels.begin(), plan.channels.end(), ch);
        const bool now = std::binary_search(facts.enabledChannels.begin(), facts.enabledChannels.end(), ch);
        if (wanted != now && !check(ts4720_setChannelState(vi, ViInt16(ch), wanted ? VI_TRUE : VI_FALSE),
                                    "ts4720_setChannelState(vi, " + std::to_string(ch) + ", " + (wanted ? "1" : "0") + ")", error))
            return false;
    }
    const ViInt32 format = 1 + (o.voltage ? 2 : 0) + (o.coldJunction ? 4 : 0);
    return check(ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, format),
                 "ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, " + std::to_string(format) + ")", error);
}

dataFileSettings headerSettings(const runPlan &plan, const instrumentFacts &facts)
{
    const recorderOptions &o = plan.options;
    dataFileSettings s;
    s.subType = facts.subType;
    s.serialNumber = facts.serialText;
    s.clockSource = clockSourceText(o.clock);
    s.scanRate = plan.rate;
    s.startMode = startModeText(o.start);
    if (o.start == 1) {
        const QDateTime alarm = QDateTime::fromSecsSinceEpoch(o.alarmSeconds, Qt::UTC);
        s.alarmWritten = true;
        s.alarmDay = alarm.date().day(), s.alarmMonth = alarm.date().month(), s.alarmYear = alarm.date().year();
        s.alarmHour = alarm.time().hour(), s.alarmMinute = alarm.time().minute(), s.alarmSecond = alarm.time().second();
        s.alarmSeconds = o.alarmSeconds;
    }
    s.stopMode = stopModeText(o.stop);
    s.numberOfScansWritten = o.stop == stopRule::afterScans || o.stop == stopRule::afterTime;
    if (s.numberOfScansWritten) {
        s.numberOfScans = int(plan.scans);
        s.acquisitionTimeWritten = o.clock <= 1;
        s.acquisitionTime = double(plan.scans) / plan.rate;
    }
    return s;
}
