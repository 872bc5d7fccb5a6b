// The instrument's data files use the panel's own CSV writer (ts4720datafile), so both
// produce byte-identical layouts.
#include "dataFileFormat.h"

#include "dataFileWriter.h"

#include <QDateTime>

namespace tssim {

namespace {

const char *const clockTexts[4] = {"Internal", "PTP", "Rear Panel Line 1", "Rear Panel Line 2"};
const char *const startTexts[4] = {"Immediate", "PTP Alarm", "Rear Panel Line 1", "Rear Panel Line 2"};

std::string stopText(const AcquisitionMode &mode)
{
    if (mode.stop == 1)
        return "Stop on trigger (pulse)";
    if (mode.stop == 2)
        return "Stop on trigger (gate)";
    return mode.scans > 0 ? "Stop after predefined number of scans is acquired" : "Stop on user request";
}

dataFileColumns writerColumns(const DataFileColumns &columns)
{
    dataFileColumns out;
    out.timestamps = columns.timestamps;
    out.voltage = columns.voltage;
    out.coldJunction = columns.coldJunction;
    for (size_t i = 0; i < columns.channels.size(); ++i)
        out.channels.push_back({columns.channels[i], columns.typeNames[i], columns.otd[i]});
    return out;
}

} // namespace

DataFileFormat::DataFileFormat(const DataFileColumns &columns)
    : m_columns(std::make_shared<dataFileColumns>(writerColumns(columns)))
{
}

DataFileFormat::~DataFileFormat() = default;

std::string DataFileFormat::header(const std::string &subType, const std::string &serialText,
                                   const AcquisitionMode &mode, long long alarmSeconds) const
{
    dataFileSettings s;
    s.subType = subType;
    s.serialNumber = serialText;
    s.clockSource = clockTexts[mode.clockSource];
    s.scanRate = mode.scanRate;
    s.startMode = startTexts[mode.startMode];
    if (mode.startMode == 1) {
        const QDateTime utc = QDateTime::fromSecsSinceEpoch(alarmSeconds, Qt::UTC);
        s.alarmWritten = true;
        s.alarmDay = utc.date().day();
        s.alarmMonth = utc.date().month();
        s.alarmYear = utc.date().year();
        s.alarmHour = utc.time().hour();
        s.alarmMinute = utc.time().minute();
        s.alarmSecond = utc.time().second();
        s.alarmSeconds = alarmSeconds;
    }
    s.stopMode = stopText(mode);
    if (mode.stop == 0 && mode.scans > 0) {
        s.numberOfScansWritten = true;
        s.numberOfScans = static_cast<int>(mode.scans);
        s.acquisitionTimeWritten = mode.clockSource <= 1;
        s.acquisitionTime = static_cast<double>(mode.scans) / mode.scanRate;
    }
    return formatDataFileHeader(s, *m_columns);
}

std::string DataFileFormat::row(long long timeNs, const double *values) const
{
    const int32_t stamp[2] = {static_cast<int32_t>(timeNs / 1000000000LL), static_cast<int32_t>(timeNs % 1000000000LL)};
    std::vector<char> text;
    appendDataFileRows(text, *m_columns, values, stamp, 1);
    return std::string(text.begin(), text.end());
}

} // namespace tssim
