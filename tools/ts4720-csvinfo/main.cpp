// ts4720-csvinfo FILE [FIRST COUNT]: shows what the program reads from a data file (the
// loaded-file record) and, optionally, the x value and temperatures of a range of rows.
#include "dataFileNumbers.h"
#include "dataFileReader.h"
#include "loadedFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string fixed6(double v)
{
    char text[fixed6MaxLength];
    return std::string(text, formatFixed6(text, v));
}

void printRecord(const loadedFileRecord &r)
{
    std::printf("path:              %s\n", r.path);
    std::printf("serial number:     %s\n", r.serialNumber);
    std::printf("clock source:      %s\n", r.clockSource);
    std::printf("scan rate:         %s\n", fixed6(r.scanRate).c_str());
    std::printf("start mode:        %s\n", r.startMode);
    std::printf("PTP alarm:         %02d.%02d.%04d %02d:%02d:%02d (%d)\n", r.alarmDay, r.alarmMonth,
                r.alarmYear, r.alarmHour, r.alarmMinute, r.alarmSecond, r.alarmSeconds);
    std::printf("stop mode:         %s\n", r.stopMode);
    std::printf("number of scans:   %d\n", r.numberOfScans);
    std::printf("columns:           timestamps %d, voltage %d, cold junction %d\n", r.hasTimestamps,
                r.hasVoltage, r.hasColdJunction);
    std::printf("first timestamp:   %s\n", fixed6(r.firstTimestamp).c_str());
    std::printf("channel count:     %d\n", r.channelCount);
    std::printf("present channels:  %d\n", r.presentChannels);
    for (int i = 0; i < 48; ++i)
        if (r.channels[i].present)
            std::printf("  channel %2d: type %s%s\n", i + 1, r.channels[i].type,
                        r.channels[i].otd ? ", OTD enabled" : "");
    std::printf("header lines:      %d\n", r.headerLineCount);
    std::printf("rows:              %d\n", r.rowCount);
}

// Rows are numbered from 1 here, as in the program's "First Scan" box.
int printRows(const loadedFileRecord &r, long first, long count)
{
    if (first < 1 || count < 1 || first > r.rowCount)
        return std::fprintf(stderr, "rows %ld..%ld are not in the file\n", first, first + count - 1), 2;
    if (count > r.rowCount - first + 1)
        count = r.rowCount - first + 1;
    std::vector<double> time(size_t(count), 0.0);
    std::vector<std::vector<double>> values(size_t(r.presentChannels), std::vector<double>(size_t(count)));
    double *windows[48] = {};
    for (int w = 0; w < r.presentChannels; ++w)
        windows[w] = values[size_t(w)].data();
    if (readDataFileRows(r, int(first - 1), int(count), time.data(), windows, nullptr) != 0)
        return std::fprintf(stderr, "cannot read '%s'\n", r.path), 1;
    std::printf("row,x");
    for (int i = 0; i < 48; ++i)
        if (r.channels[i].present)
            std::printf(",channel %d", i + 1);
    std::printf("\n");
    for (long row = 0; row < count; ++row) {
        std::printf("%ld,%s", first + row, fixed6(time[size_t(row)]).c_str());
        for (int w = 0; w < r.presentChannels; ++w)
            std::printf(",%s", fixed6(values[size_t(w)][size_t(row)]).c_str());
        std::printf("\n");
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s FILE [FIRST COUNT]\n", argv[0]);
        return 2;
    }
    loadedFileRecord &record = loadedFile();
    const int result = readDataFileHeader(argv[1], &record);
    printRecord(record);
    if (result != 0) {
        std::fprintf(stderr, "cannot read '%s'\n", argv[1]);
        return 1;
    }
    return argc == 4 ? printRows(record, std::atol(argv[2]), std::atol(argv[3])) : 0;
}
