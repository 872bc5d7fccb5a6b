// One open instrument session of the driver: its SCPI link, the lock that serialises
// the calls on it, and what the driver remembers between calls.
#ifndef TS4720_DRIVERSESSION_H
#define TS4720_DRIVERSESSION_H

#include "acquisitionWorker.h"
#include "scpiLink.h"
#include "scpiReply.h"

#include <mutex>
#include <string>
#include <vector>

namespace ts4720 {

// What the driver needs to lay out acquired scans, read once per acquisition.
struct AcquisitionLayout {
    bool valid = false;
    int enabledChannels = 0;
    int valuesPerChannel = 1; // 1 + voltage + cold junction
    bool timestamps = false;  // the mode stores timestamps
    double scanRate = 0.0;    // Hz as programmed (the maximum rate of an external clock)
};

class DriverSession {
public:
    explicit DriverSession(ViSession handle) : handle(handle) {}

    const ViSession handle;

    // Serialises every call on this session; protects all members below except `worker`,
    // which guards itself.
    std::mutex lock;
    ScpiLink link;
    bool closed = false;
    ErrorEntry lastEntry;        // the last non-zero error-queue entry of this session
    std::string fileList;        // storage list as of the last length query
    AcquisitionLayout layout;
    ViInt32 lastRemaining = 0;   // scans left after the last readAcquisition
    unsigned breaksAtStart = 0;  // link.breaks() when the acquisition started
    ViStatus endStatus = 0;      // why the driver ended the last acquisition; reported once
    ViStatus acquisitionFailure = 0; // the same, kept for the reads of the final callback

    AcquisitionWorker worker;

    // The exchanges below need `lock` held. Each sends SYSTem:ERRor? with the message
    // and turns the error entry into a status (negative error, positive warning).
    ViStatus command(const std::string &message);
    // A message of queries expecting `expected` reply units.
    ViStatus query(const std::string &message, size_t expected, std::vector<std::string> *units);
    ViStatus queryOne(const std::string &message, std::string *unit);
    ViStatus queryBlock(const std::string &message, std::string *bytes);
    // Reads the block layout of the current (or last) acquisition and its scan rate into
    // `layout`; `before` is sent ahead in the same message (e.g. "ACQ:STAR;").
    ViStatus readLayout(const std::string &before = std::string());

private:
    ViStatus exchange(const std::string &message, std::vector<std::string> *units);
    ViStatus takeEntry(const ErrorEntry &entry);
};

} // namespace ts4720

#endif
