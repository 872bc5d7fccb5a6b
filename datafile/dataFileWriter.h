// Writer of the acquisition data files (CSV): header lines, column line, data rows. Plain
// functions on a FILE*, free of GUI and instrument code, so that both the acquisition run and
// the simulated instrument can use them. Numbers are written without regard to the locale.
#ifndef TS4720_DATAFILEWRITER_H
#define TS4720_DATAFILEWRITER_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// What the header lines say; a line with a "written" flag is left out when the flag is off.
struct dataFileSettings {
    std::string subType = "AC";              // "AA", "AB" or "AC"
    std::string serialNumber = "Not Available";
    std::string clockSource = "Internal";    // text of the clock source entry
    bool scanRateWritten = true;             // the scan rate box is enabled
    double scanRate = 1.0;                   // Hz, written truncated to an integer
    std::string startMode = "Immediate";
    bool alarmWritten = false;               // start mode "PTP Alarm"
    int alarmDay = 1, alarmMonth = 1, alarmYear = 1970;
    int alarmHour = 0, alarmMinute = 0, alarmSecond = 0;
    long long alarmSeconds = 0;              // the alarm as seconds since 1970 (UTC)
    std::string stopMode = "Stop on user request";
    bool numberOfScansWritten = false;       // stop after a number of scans or after a time
    int numberOfScans = 0;
    bool acquisitionTimeWritten = false;     // only after a number-of-scans line (internal/PTP clock)
    double acquisitionTime = 0.0;            // seconds
};

struct dataFileChannelColumn {
    int number = 1;                          // channel number from 1
    std::string type;                        // thermocouple type name as the driver returns it
    bool otd = false;                        // open-thermocouple detection on
};

// The columns of a file: which values are stored, for which enabled channels (in channel order).
struct dataFileColumns {
    bool timestamps = false;
    bool voltage = false;
    bool coldJunction = false;
    std::vector<dataFileChannelColumn> channels;

    // Values per scan and channel: temperature, then voltage and cold junction when stored.
    int valuesPerChannel() const { return 1 + (voltage ? 1 : 0) + (coldJunction ? 1 : 0); }
};

// The header lines and the column line as the file holds them.
std::string formatDataFileHeader(const dataFileSettings &settings, const dataFileColumns &columns);

// Writes the header and column line. Returns 0, or -1 when the file did not take all of it.
int writeDataFileHeader(std::FILE *file, const dataFileSettings &settings,
                        const dataFileColumns &columns);

// Appends one row per scan to text. data is the read buffer of one block of scans, channel
// by channel: value j of scan i of enabled channel k at (scans * k + i) * valuesPerChannel() + j.
// timestamps holds (seconds, nanoseconds) per scan; it is used when columns.timestamps is set
// (null then writes 0.000000000, so that the rows stay aligned with the column line).
void appendDataFileRows(std::vector<char> &text, const dataFileColumns &columns,
                        const double *data, const std::int32_t *timestamps, int scans);

// Formats a block of rows into buffer (kept by the caller and reused, so that after the first
// block nothing is allocated), writes it with one fwrite and flushes the file.
// Returns 0, or -1 when the file did not take all of it.
int writeDataFileRows(std::FILE *file, const dataFileColumns &columns, const double *data,
                      const std::int32_t *timestamps, int scans, std::vector<char> &buffer);

#endif
