// The recorder's command line: the options, read and checked for themselves (values,
// ranges, combinations). Checks that need the instrument or the file system come later.
#ifndef TS4720_RECORDEROPTIONS_H
#define TS4720_RECORDEROPTIONS_H

#include <QString>

#include <string>
#include <vector>

class QCommandLineParser;

// How a run ends, besides Ctrl-C and failures.
enum class stopRule { onRequest, afterScans, afterTime, onPulse, onGate };

struct recorderOptions {
    std::string resource;            // VISA descriptor; empty: the one discovery finds
    bool list = false;               // list the instruments and exit
    std::string output;
    bool force = false;              // replace an existing output file
    bool channelsGiven = false;      // else: the channels enabled on the instrument
    std::vector<int> channels;       // ascending, each once, 1..48 (the model may have fewer)
    bool rateGiven = false;          // else: the rate the instrument is set to
    int rate = 0;                    // Hz
    int clock = 0;                   // driver clock-source code: 0 internal, 1 PTP, 2/3 line 1/2
    int start = 0;                   // driver start-mode code: 0 immediate, 1 PTP alarm, 2/3 line 1/2
    long long alarmSeconds = 0;      // start 1: seconds since 1970, UTC
    stopRule stop = stopRule::onRequest;
    long long scans = 0;             // afterScans
    double durationSeconds = 0.0;    // afterTime
    bool timestamps = false;
    bool voltage = false;
    bool coldJunction = false;
    int storage = 0;                 // shadow copy: 0 none, 1 RAM disk, 2 hard disk
    bool quiet = false;
    int reconnectSeconds = 60;       // grace period after a broken connection; 0 ends the run at once
};

// Declares the options, the positional RESOURCE, --help and --version.
void addRecorderOptions(QCommandLineParser &parser);

// Reads the options of a parser that has parsed the command line. false with a message
// naming the option when a value is invalid or options contradict each other.
bool readRecorderOptions(const QCommandLineParser &parser, recorderOptions *options, QString *error);

// The number of scans of a fixed-length run at `rate` Hz: --scans as given, --duration
// rounded up (at least 1, as the panel does); 0 for runs without a fixed length.
long long fixedScanCount(const recorderOptions &options, double rate);

#endif
