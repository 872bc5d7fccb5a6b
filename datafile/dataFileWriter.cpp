// Writer of the acquisition data files.
#include "dataFileWriter.h"

#include "dataFileNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// A header value must stay on its own line.
std::string oneLine(const std::string &text)
{
    std::string out = text;
    for (char &c : out)
        if (c == '\n' || c == '\r')
            c = ' ';
    return out;
}

// A type name must stay inside its column token.
std::string oneToken(const std::string &text)
{
    std::string out = oneLine(text);
    for (char &c : out)
        if (c == ',')
            c = ' ';
    return out;
}

void appendInt(std::string &out, long long v, int width = 0)
{
    char digits[32];
    out.append(digits, formatInt(digits, v, width));
}

void appendFixed6(std::string &out, double v)
{
    char digits[fixed6MaxLength];
    out.append(digits, formatFixed6(digits, v));
}

long long truncated(double v)
{
    if (!(v == v) || v > 9.2e18 || v < -9.2e18)
        return 0;
    return (long long)v;
}

void appendAlarmLine(std::string &out, const dataFileSettings &s)
{
    out += "PTP Alarm:,";
    appendInt(out, s.alarmDay, 2);
    out += '.';
    appendInt(out, s.alarmMonth, 2);
    out += '.';
    appendInt(out, s.alarmYear, 4);
    out += ' ';
    appendInt(out, s.alarmHour, 2);
    out += ':';
    appendInt(out, s.alarmMinute, 2);
    out += ':';
    appendInt(out, s.alarmSecond, 2);
    out += ',';
    appendInt(out, s.alarmSeconds);
    out += ".000000000\n";
}

void appendColumnLine(std::string &out, const dataFileColumns &columns)
{
    if (columns.timestamps)
        out += "Timestamp,";
    for (const dataFileChannelColumn &c : columns.channels) {
        out += "Channel ";
        appendInt(out, c.number);
        out += " [\xB0" "C] TC:";
        out += oneToken(c.type);
        if (c.otd)
            out += " OTD enabled";
        out += ',';
        if (columns.voltage) {
            out += "TC ";
            appendInt(out, c.number);
            out += " [mV],";
        }
        if (columns.coldJunction) {
            out += "CJ ";
            appendInt(out, c.number);
            out += " [\xB0" "C],";
        }
    }
    out += '\n';
}

// Longest row text: a timestamp and every value at its longest.
std::size_t maxRowLength(const dataFileColumns &columns)
{
    return 48 + columns.channels.size() * std::size_t(columns.valuesPerChannel()) * (fixed6MaxLength + 1);
}

} // namespace

std::string formatDataFileHeader(const dataFileSettings &s, const dataFileColumns &columns)
{
    std::string out = "sep=,\nKorvan 4720-" + oneLine(s.subType) + "\n";
    out += "Serial Number:," + oneLine(s.serialNumber) + "\n\n";
    out += "Clock Source:," + oneLine(s.clockSource) + "\n";
    if (s.scanRateWritten) {
        out += "Scan Rate:,";
        appendInt(out, truncated(s.scanRate));
        out += ",Hz\n";
    }
    out += "Start Mode:," + oneLine(s.startMode) + "\n";
    if (s.alarmWritten)
        appendAlarmLine(out, s);
    out += "Stop Mode:," + oneLine(s.stopMode) + "\n";
    if (s.numberOfScansWritten) {
        out += "Number of scans:,";
        appendInt(out, s.numberOfScans);
        out += '\n';
        if (s.acquisitionTimeWritten) {
            out += "Acquisition time:,";
            appendFixed6(out, s.acquisitionTime);
            out += ",s\n";
        }
    }
    out += '\n';
    appendColumnLine(out, columns);
    return out;
}

int writeDataFileHeader(std::FILE *file, const dataFileSettings &settings,
                        const dataFileColumns &columns)
{
    const std::string text = formatDataFileHeader(settings, columns);
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size())
        return -1;
    return std::fflush(file) == 0 ? 0 : -1;
}

void appendDataFileRows(std::vector<char> &text, const dataFileColumns &columns,
                        const double *data, const std::int32_t *timestamps, int scans)
{
    const int vpc = columns.valuesPerChannel();
    const int channels = int(columns.channels.size());
    // Without timestamps from the caller the column still gets a value, so the rows stay aligned.
    static const std::int32_t noTime[2] = {0, 0};
    const std::size_t rowLimit = maxRowLength(columns);
    std::size_t used = text.size();
    for (int i = 0; i < scans; ++i) {
        if (text.size() < used + rowLimit)
            text.resize(std::max(text.size() * 2, used + rowLimit));
        char *out = text.data() + used;
        if (columns.timestamps) {
            const std::int32_t *t = timestamps ? timestamps + 2 * i : noTime;
            out = formatInt(out, t[0]);
            *out++ = '.';
            out = formatInt(out, t[1], 9);
            *out++ = ',';
        }
        for (int k = 0; k < channels; ++k) {
            const double *value = data + (std::size_t(scans) * k + i) * vpc;
            for (int j = 0; j < vpc; ++j) {
                if (std::isnan(value[j])) {
                    std::memcpy(out, "nan", 3);
                    out += 3;
                } else {
                    out = formatFixed6(out, value[j]);
                }
                *out++ = ',';
            }
        }
        *out++ = '\n';
        used = std::size_t(out - text.data());
    }
    text.resize(used);
}

int writeDataFileRows(std::FILE *file, const dataFileColumns &columns, const double *data,
                      const std::int32_t *timestamps, int scans, std::vector<char> &buffer)
{
    buffer.clear();
    appendDataFileRows(buffer, columns, data, timestamps, scans);
    if (!file || std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size())
        return -1;
    return std::fflush(file) == 0 ? 0 : -1;
}
