// Reader of the acquisition data files.
#include "dataFileReader.h"

#include "dataFileColumnMap.h"
#include "dataFileHeaderLine.h"
#include "dataFileLineReader.h"
#include "dataFileNumbers.h"
#include "loadedFile.h"
#include "modelTable.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// Header lines are looked at on their first 4095 characters; rows may be longer (a row of
// 144 values at their longest takes about 46,000 characters), up to this limit.
constexpr std::size_t headerLineLimit = 4095;
constexpr std::size_t rowLineLimit = 65536;

// Field number column of a row; false when the row has fewer fields.
bool fieldAt(const char *line, std::size_t length, int column, const char *&begin, const char *&end)
{
    const char *p = line;
    const char *stop = line + length;
    for (int c = 0; c < column; ++c) {
        const void *comma = std::memchr(p, ',', std::size_t(stop - p));
        if (!comma)
            return false;
        p = static_cast<const char *>(comma) + 1;
    }
    const void *comma = std::memchr(p, ',', std::size_t(stop - p));
    begin = p;
    end = comma ? static_cast<const char *>(comma) : stop;
    return true;
}

// Row x values: timestamps minus the first one; without timestamps, scans, or seconds
// (scans / scan rate) when the clock is internal or PTP.
class rowTimes
{
public:
    rowTimes(const loadedFileRecord &r, const dataFileColumnMap &map)
        : m_column(map.timestampColumn), m_first(r.firstTimestamp)
    {
        const std::size_t clockLength = strnlen(r.clockSource, sizeof r.clockSource);
        if (r.scanRate > 0 && (beginsWithNoCase(r.clockSource, clockLength, "INTERNAL") ||
                               beginsWithNoCase(r.clockSource, clockLength, "PTP")))
            m_rate = r.scanRate;
    }

    double at(const char *line, std::size_t length, long long row) const
    {
        if (m_column < 0)
            return m_rate > 0 ? double(row) / m_rate : double(row);
        const char *begin, *end;
        double seconds;
        if (fieldAt(line, length, m_column, begin, end) && parseTimestampField(begin, end, seconds))
            return seconds - m_first;
        return NAN;
    }

private:
    int m_column;
    double m_first;
    double m_rate = 0;
};

void readRow(const dataFileColumnMap &map, const char *line, std::size_t length, double **windows,
             long long position)
{
    const char *p = line;            // start of field number column
    const char *stop = line + length;
    int column = 0;
    bool ended = false;              // the row gives no more values
    for (const dataFileColumnMap::temperatureColumn &t : map.temperatures) {
        double value = NAN;
        for (; !ended && column < t.column; ++column) {
            while (p < stop && *p != ',')
                ++p;
            ended = p == stop;
            p += ended ? 0 : 1;
        }
        if (!ended) {
            bool ok = false;
            p = parseValueFieldAt(p, stop, value, ok);
            ended = !ok || p == stop;
            value = ok ? value : NAN;
            p += ended ? 0 : 1;
            ++column;
        }
        if (windows[t.window])
            windows[t.window][position] = value;
    }
}

// A column map for a file whose column line is missing where the record says it is.
void mapFromRecord(const loadedFileRecord &r, dataFileColumnMap &map)
{
    const int vpc = 1 + (r.hasVoltage ? 1 : 0) + (r.hasColdJunction ? 1 : 0);
    const int base = r.hasTimestamps ? 1 : 0;
    map.timestampColumn = r.hasTimestamps ? 0 : -1;
    map.temperatures.clear();
    int window = 0;
    for (int i = 0; i < r.channelCount && i < modelTable::maxChannels; ++i)
        if (r.channels[i].present) {
            map.temperatures.push_back({base + window * vpc, window});
            ++window;
        }
}

} // namespace

int readDataFileHeader(const char *path, loadedFileRecord *record)
{
    if (!path || !record)
        return -1;
    std::FILE *file = std::fopen(path, "rb");
    if (!file) {
        *record = loadedFileRecord();
        copyCut(record->path, sizeof record->path, path, std::strlen(path));
        return -1;
    }
    const int result = readDataFileHeader(file, path, record);
    std::fclose(file);
    return result;
}

int readDataFileHeader(std::FILE *file, const char *path, loadedFileRecord *record)
{
    if (!record)
        return -1;
    loadedFileRecord &r = *record;
    r = loadedFileRecord();
    if (path)
        copyCut(r.path, sizeof r.path, path, std::strlen(path));
    r.channelCount = modelTable::maxChannels;
    if (!file)
        return -1;
    dataFileLineReader reader(file, rowLineLimit);
    const char *line = nullptr;
    std::size_t length = 0;
    bool columnLineSeen = false, rowSeen = false;
    std::string columnLine;
    while (reader.next(line, length)) {
        if (columnLineSeen) {
            rowSeen = true;
            break;
        }
        ++r.headerLineCount;
        const std::size_t examined = length < headerLineLimit ? length : headerLineLimit;
        if (applyDataFileHeaderLine(line, examined, r) < 0)
            return -1;
        columnLineSeen = isDataFileColumnLine(line, examined);
        if (columnLineSeen)
            columnLine.assign(line, examined);
    }
    dataFileColumnMap map;
    if (columnLineSeen)
        map.parse(columnLine.data(), columnLine.size(), r.channelCount, &r);
    if (rowSeen) {
        const char *begin, *end;
        double seconds;
        if (map.timestampColumn >= 0 && fieldAt(line, length, map.timestampColumn, begin, end) &&
            parseTimestampField(begin, end, seconds))
            r.firstTimestamp = seconds;
        const long long rows = 1 + reader.countRemaining();
        r.rowCount = rows > INT_MAX ? INT_MAX : int(rows);
    }
    for (int i = 0; i < r.channelCount; ++i)
        r.presentChannels += r.channels[i].present ? 1 : 0;
    r.viewer = r.rowCount > 0 ? 1 : 0;
    return r.rowCount > 0 ? 0 : -1;
}

int readDataFileRows(std::FILE *file, const loadedFileRecord &r, int first, int count,
                     double *timeWindow, double **channelWindows, std::atomic<int> *progress)
{
    if (progress)
        progress->store(0, std::memory_order_relaxed);
    if (!file)
        return -1;
    dataFileLineReader reader(file, rowLineLimit);
    const char *line = nullptr;
    std::size_t length = 0;
    for (int i = 0; i + 1 < r.headerLineCount; ++i)
        if (!reader.next(line, length))
            return 0;
    dataFileColumnMap map;
    if (r.headerLineCount > 0 && reader.next(line, length) && isDataFileColumnLine(line, length))
        map.parse(line, length < headerLineLimit ? length : headerLineLimit, r.channelCount, nullptr);
    else
        mapFromRecord(r, map);
    double *noWindows[modelTable::maxChannels] = {};
    double **windows = channelWindows ? channelWindows : noWindows;
    const rowTimes times(r, map);
    const long long last = (long long)first + count;
    for (long long row = 0; row < last && reader.next(line, length); ++row) {
        if (row < first)
            continue;
        const long long position = row - first;
        if (timeWindow)
            timeWindow[position] = times.at(line, length, row);
        readRow(map, line, length, windows, position);
        if (progress)
            progress->store(int(row), std::memory_order_relaxed);
    }
    return 0;
}

int readDataFileRows(const loadedFileRecord &record, int first, int count, double *timeWindow,
                     double **channelWindows, std::atomic<int> *progress)
{
    std::FILE *file = std::fopen(record.path, "rb");
    if (!file) {
        if (progress)
            progress->store(0, std::memory_order_relaxed);
        return -1;
    }
    const int result = readDataFileRows(file, record, first, count, timeWindow, channelWindows, progress);
    std::fclose(file);
    return result;
}

int readDataFileRows(int first, int count, double *timeWindow, double **channelWindows,
                     std::atomic<int> *progress)
{
    return readDataFileRows(loadedFile(), first, count, timeWindow, channelWindows, progress);
}
