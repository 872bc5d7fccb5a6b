// Test callback that reads blocks the way the panel does and keeps what it got.
#ifndef TESTS_DRIVER_ACQUISITIONRECORDER_H
#define TESTS_DRIVER_ACQUISITIONRECORDER_H

#include "ts4720.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

struct RecordedBlock {
    ViInt32 backlog = 0;
    ViInt16 daEnd = 0;
    ViStatus status = 0;
    ViInt32 scansRead = 0;
    ViInt32 remaining = 0;
    std::vector<ViReal64> data;   // channel by channel, n = scansRead
    std::vector<ViInt32> stamps;  // (seconds, nanoseconds) per scan
};

class AcquisitionRecorder {
public:
    AcquisitionRecorder(ViSession vi, ViInt32 threshold, int channels, int valuesPerChannel,
                        bool stamps = true);
    // Stops the session's acquisition, so that the driver's thread is done with this.
    ~AcquisitionRecorder();

    static void callback(ViSession vi, ViInt32 backlog, ViInt16 daEnd, ViAddr params);

    // Wait until the end callback came, or at least `count` callbacks; false on time-out.
    bool waitForEnd(int ms) { return waitFor([this] { return m_endCallbacks > 0; }, ms); }
    bool waitForCallbacks(int count, int ms) { return waitFor([=] { return m_callbacks >= count; }, ms); }

    int callbacks();
    int endCallbacks();
    long long scans();
    std::vector<RecordedBlock> blocks();
    // All timestamps in ns, in delivery order.
    std::vector<long long> timestamps();

    // Runs inside the callback before it reads (the callback's number from 1).
    std::function<void(ViSession vi, int call)> hook;

private:
    void record(ViSession vi, ViInt32 backlog, ViInt16 daEnd);
    bool waitFor(const std::function<bool()> &done, int ms);

    const ViSession m_vi;
    const ViInt32 m_threshold;
    const bool m_stamps;
    std::vector<ViReal64> m_data;
    std::vector<ViInt32> m_stampBuffer;
    std::mutex m_mutex; // protects the members below
    std::condition_variable m_changed;
    std::vector<RecordedBlock> m_blocks;
    int m_callbacks = 0;
    int m_endCallbacks = 0;
};

// Enables exactly the given channels and programs format and mode (timestamps stored).
bool configure(ViSession vi, const std::vector<int> &channels, ViInt32 format, ViInt16 clock, double rate,
               ViInt32 scans, ViInt16 start, ViInt16 stop);
// Every timestamp after its predecessor by one scan period (within a microsecond).
bool evenlySpaced(const std::vector<long long> &t, double rate);

#endif
