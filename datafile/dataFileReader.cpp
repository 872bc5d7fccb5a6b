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

// Stores the row's temperatures; false when the row lacks a value (it ended too soon or a
// value did not parse).
bool readRow(const dataFileColumnMap &map, const char *line, std::size_t length, double **windows,
             long long position)
{
    bool whole = true;
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
            whole = whole && ok;
            value = ok ? value : NAN;
            p += ended ? 0 : 1;
            ++column;
        } else {
            whole = false;
        }
        if (windows[t.window])
            windows[t.window][position] = value;
    }
    return whole;
}

bool cancelled(const std::atomic<bool> *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
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

// Skips the header lines and takes the column map from the column line (or the record).
bool startRows(dataFileLineReader &reader, const loadedFileRecord &r, dataFileColumnMap &map)
{
    const char *line = nullptr;
    std::size_t length = 0;
    for (int i = 0; i + 1 < r.headerLineCount; ++i)
        if (!reader.next(line, length))
            return false;
    if (r.headerLineCount > 0 && reader.next(line, length) && isDataFileColumnLine(line, length))
        map.parse(line, length < headerLineLimit ? length : headerLineLimit, r.channelCount, nullptr);
    else
        mapFromRecord(r, map);
    return true;
}

// The rows; progress (may be null) follows the index of the last row read.
void readRows(std::FILE *file, const loadedFileRecord &r, int first, int count, double *timeWindow,
              double **channelWindows, std::atomic<int> *progress, dataFileRowRead &run)
{
    dataFileLineReader reader(file, rowLineLimit);
    dataFileColumnMap map;
    const long long last = (long long)first + (count > 0 ? count : 0);
    long long row = 0;
    if (startRows(reader, r, map)) {
        double *noWindows[modelTable::maxChannels] = {};
        double **windows = channelWindows ? channelWindows : noWindows;
        const rowTimes times(r, map);
        const char *line = nullptr;
        std::size_t length = 0;
        for (; row < last; ++row) {
            if ((row >= first || row % 4096 == 0) && cancelled(run.cancel)) {
                run.cancelled = true;
                break;
            }
            if (!reader.next(line, length))
                break;
            if (row < first)
                continue;
            const long long position = row - first;
            if (timeWindow)
                timeWindow[position] = times.at(line, length, row);
            const bool whole = readRow(map, line, length, windows, position);
            if (progress)
                progress->store(int(row), std::memory_order_relaxed);
            if (!whole && reader.lastLineUnterminated())
                break;   // cut short while it was written
            run.stored.store(int(position + 1), std::memory_order_relaxed);
        }
    }
    run.readFailed = reader.readFailed();
    run.endedEarly = !run.cancelled && row < last;
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
    dataFileRowRead run;
    if (progress)
        progress->store(0, std::memory_order_relaxed);
    if (!file)
        return -1;
    readRows(file, r, first, count, timeWindow, channelWindows, progress, run);
    return 0;
}

int readDataFileRows(std::FILE *file, const loadedFileRecord &r, int first, int count,
                     double *timeWindow, double **channelWindows, dataFileRowRead &run)
{
    run.stored.store(0, std::memory_order_relaxed);
    run.opened = file != nullptr;
    run.cancelled = run.readFailed = false;
    run.endedEarly = !file;
    if (!file)
        return -1;
    readRows(file, r, first, count, timeWindow, channelWindows, nullptr, run);
    return 0;
}

int readDataFileRows(const loadedFileRecord &record, int first, int count, double *timeWindow,
                     double **channelWindows, dataFileRowRead &run)
{
    std::FILE *file = std::fopen(record.path, "rb");
    const int result = readDataFileRows(file, record, first, count, timeWindow, channelWindows, run);
    if (file)
        std::fclose(file);
    return result;
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
