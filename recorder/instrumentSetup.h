// What the recorder reads from the instrument before a run, how it programs it (in the
// order the panel does), and the header the file gets: the panel's texts, so that the
// panel's viewer reads the file back.
#ifndef TS4720_INSTRUMENTSETUP_H
#define TS4720_INSTRUMENTSETUP_H

#include "dataFileWriter.h"
#include "recorderOptions.h"
#include "ts4720.h"

#include <string>
#include <vector>

struct instrumentFacts {
    std::string subType;                // "AA", "AB" or "AC"
    int channelCount = 48;
    std::string serialText;             // 8 lower-case hexadecimal digits, or "Not Available"
    std::vector<int> enabledChannels;   // as the instrument has them now
    double rate = 0.0;                  // the scan rate it is set to
    ViUInt32 ptpSeconds = 0;            // its PTP time
};

// The settings of one run, resolved against the instrument.
struct runPlan {
    recorderOptions options;
    std::vector<int> channels;          // recorded channels, ascending
    double rate = 0.0;                  // Hz
    long long scans = 0;                // fixed length; 0 until stopped
};

// A driver call that failed: its text as the panel reports it, and its status.
struct setupError {
    std::string call;
    ViStatus status = VI_SUCCESS;
};

bool readInstrumentFacts(ViSession vi, instrumentFacts *facts, setupError *error);
// Thermocouple type and detection of each recorded channel, and the stored values.
bool readColumns(ViSession vi, const runPlan &plan, dataFileColumns *columns, setupError *error);
// Acquisition mode, shadow copy, channel states (the recorded ones on, all others off) and
// data format. The PTP alarm and the start are the run's.
bool programInstrument(ViSession vi, const runPlan &plan, const instrumentFacts &facts, setupError *error);
dataFileSettings headerSettings(const runPlan &plan, const instrumentFacts &facts);

// The driver's clock-source, start-mode and stop texts of the panel's lists.
const char *clockSourceText(int code);
const char *startModeText(int code);
const char *stopModeText(stopRule rule);

#endif
