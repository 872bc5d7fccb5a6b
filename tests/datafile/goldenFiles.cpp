// The configurations of the checked-in golden files.
#include "goldenFiles.h"

#include <cmath>
#include <limits>

namespace {

const double nan_ = std::numeric_limits<double>::quiet_NaN();
const double inf_ = std::numeric_limits<double>::infinity();

goldenFile withTimestampsVoltageColdJunction()
{
    goldenFile g;
    g.name = "golden_ts_volt_cj_3ch.csv";
    dataFileSettings &s = g.settings;
    s.subType = "AC";
    s.serialNumber = "0a1b2c3d";
    s.clockSource = "Internal";
    s.scanRate = 10.7;
    s.startMode = "PTP Alarm";
    s.alarmWritten = true;
    s.alarmDay = 6, s.alarmMonth = 12, s.alarmYear = 2026;
    s.alarmHour = 13, s.alarmMinute = 5, s.alarmSecond = 9;
    s.alarmSeconds = 1796562309;
    s.stopMode = "Stop after predefined time";
    s.numberOfScansWritten = true;
    s.numberOfScans = 50;
    s.acquisitionTimeWritten = true;
    s.acquisitionTime = 5.0;
    g.columns.timestamps = g.columns.voltage = g.columns.coldJunction = true;
    g.columns.channels = {{2, "K", false}, {5, "J", true}, {7, "User 1", false}};
    g.scans = 4;
    g.timestamps = {1796562309, 0, 1796562309, 100000000, 1796562309, 200000500, 1796562309, 300000000};
    g.data = readBufferFromRows(
        {{21.503, 0.852, 23.25, nan_, nan_, 23.25, -1e-9, -0.0000005, 23.0},
         {-12.3456785, -0.5, 1e7 + 0.1234565, 1234.5678904, 49.9999995, 23.1, 0.0, 1e-300, -3.5},
         {-0.0, 2.5e-7, 5e-7, 1.5e-6, -7.25e-7, 9999.9999996, 123456789.125, -987654.3210005, 0.1},
         {inf_, -inf_, 1e15, 300.0, nan_, 22.75, 1.0 / 3, -2.0 / 3, 1e-6}},
        3, 3);
    return g;
}

goldenFile temperatureOnlyExternalClock()
{
    goldenFile g;
    g.name = "golden_temp_1ch_external.csv";
    dataFileSettings &s = g.settings;
    s.subType = "AA";
    s.serialNumber = "Not Available";
    s.clockSource = "Rear Panel Line 1";
    s.scanRateWritten = false;
    s.startMode = "Rear Panel Line 2";
    s.stopMode = "Stop on trigger (gate)";
    g.columns.channels = {{1, "T", false}};
    g.scans = 4;
    g.data = {20.0, nan_, -200.123456, 1370.0000004};
    return g;
}

goldenFile withTimestampsAndVoltage()
{
    goldenFile g;
    g.name = "golden_ts_volt_2ch.csv";
    dataFileSettings &s = g.settings;
    s.subType = "AB";
    s.serialNumber = "00c0ffee";
    s.clockSource = "PTP";
    s.scanRate = 1000.0;
    s.startMode = "Immediate";
    s.stopMode = "Stop after predefined number of scans is acquired";
    s.numberOfScansWritten = true;
    s.numberOfScans = 3;
    s.acquisitionTimeWritten = true;
    s.acquisitionTime = 0.003;
    g.columns.timestamps = g.columns.voltage = true;
    g.columns.channels = {{1, "K", false}, {3, "J", true}};
    g.scans = 3;
    g.timestamps = {12, 500000, 12, 1500000, -1, 999999999};
    g.data = readBufferFromRows({{21.503, 0.852, nan_, nan_},
                                 {21.5035, 0.8525, 30.0000005, 1.2345675},
                                 {-0.0000004, -0.0000006, 1e10 / 3, -1e10 / 7}},
                                2, 2);
    return g;
}

} // namespace

std::vector<double> readBufferFromRows(const std::vector<std::vector<double>> &rows, int channels, int vpc)
{
    const int n = int(rows.size());
    std::vector<double> buffer(std::size_t(n * channels * vpc));
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < channels; ++k)
            for (int j = 0; j < vpc; ++j)
                buffer[std::size_t((n * k + i) * vpc + j)] = rows[std::size_t(i)][std::size_t(k * vpc + j)];
    return buffer;
}

std::vector<goldenFile> goldenFiles()
{
    return {withTimestampsVoltageColdJunction(), temperatureOnlyExternalClock(), withTimestampsAndVoltage()};
}
