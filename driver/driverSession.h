// One open instrument session of the driver: its SCPI link, the lock that serialises
// the calls on it, and what the driver remembers between calls.
#ifndef TS4720_DRIVERSESSION_H
#define TS4720_DRIVERSESSION_H

#include "acquisitionWorker.h"
#include "scpiLink.h"
#include "scpiReply.h"
#include "ts4720_ext.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace ts4720 {

// The layout of the scans of the acquisition last started on this session, fixed at its
// start from the channels enabled and the data format the caller had set (checked against
// the instrument's own account); reads use nothing else.
struct AcquisitionLayout {
    bool valid = false;       // started, and no layout setting changed through the session since
    int enabledChannels = 0;
    int valuesPerChannel = 1; // 1 + voltage + cold junction
    bool timestamps = false;  // the mode stores timestamps
    double scanRate = 0.0;    // Hz as programmed (the maximum rate of an external clock)

    size_t scanBytes() const
    {
        return (timestamps ? 8u : 0u) + static_cast<size_t>(enabledChannels) * static_cast<size_t>(valuesPerChannel) * 8u;
    }
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
    ViInt32 scansDelivered = 0;  // scans read since the acquisition thread's last callback began
    // Where the acquisition stands in the instrument's numbering of its scans (from 0).
    long long runId = 0;         // the instrument's run, checked when reconnecting
    long long nextScan = 0;      // the first scan not yet delivered
    long long lastScanNs = -1;   // timestamp of the last scan delivered; -1: none or not stored
    ViUInt32 graceMs = TS4720_DEFAULT_GRACE_S * 1000;
    ts4720_acquisitionLoss loss = emptyLoss(); // what the last acquisition did not deliver
    ViStatus endStatus = 0;      // why the driver ended the last acquisition; reported once
    ViStatus acquisitionFailure = 0; // the same, kept for the reads of the final callback

    AcquisitionWorker worker;

    // Set by the acquisition thread alone, read by every caller without `lock`, so that a
    // call fails at once instead of queueing behind a reconnection attempt.
    std::atomic<bool> reconnecting{false};
    std::atomic<long long> reconnectUntilMs{0}; // steady-clock milliseconds

    static ts4720_acquisitionLoss emptyLoss();

    // The exchanges below need `lock` held. Each is one exchange under one deadline: it
    // sends SYSTem:ERRor? with the message and turns the error entry into a status
    // (negative error, positive warning).
    ViStatus command(const std::string &message);
    // A message of queries expecting `expected` reply units.
    ViStatus query(const std::string &message, size_t expected, std::vector<std::string> *units);
    ViStatus queryOne(const std::string &message, std::string *unit);
    // A block query; blocks longer than maxLength are refused unread (TS4720_ERROR_BAD_RESPONSE).
    ViStatus queryBlock(const std::string &message, size_t maxLength, std::string *bytes);
    ViStatus queryBlock(const std::string &message, size_t maxLength, const ScpiLink::BlockSink &sink);

private:
    ViStatus exchange(const std::string &message, std::vector<std::string> *units);
    ViStatus takeEntry(const ErrorEntry &entry);
};

} // namespace ts4720

#endif
