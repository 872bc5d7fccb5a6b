// The data path of one run: the driver calls back on its own thread whenever a block of
// scans waits; each block is read into buffers sized as the driver asks (scans x enabled
// channels x values per channel) and goes straight into the file. The main thread waits
// for the end, a stop request or the next progress tick, and drains after a stop.
#ifndef TS4720_RECORDINGRUN_H
#define TS4720_RECORDINGRUN_H

#include "ts4720.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

class recordingFile;

struct runLayout {
    int channels = 1;          // enabled channels
    int valuesPerChannel = 1;  // 1 + voltage + cold junction
    bool timestamps = false;
    int threshold = 1;         // scans per callback: a quarter second of scans, at least 1
};

// Why a run ended, apart from its regular end.
enum class runFailure { none, driver, write };

class recordingRun {
public:
    recordingRun(ViSession vi, const runLayout &layout, recordingFile &file);
    // Stops the acquisition if it still runs, so that no callback outlives this object.
    ~recordingRun();

    // ts4720_startAcquisitionEx with this run's callback.
    ViStatus start();
    // Waits up to ms for the end of the data or a stop request; true when either came.
    bool wait(int ms);
    // Any thread (the signal watcher): the main thread stops the run at its next wait.
    void requestStop();
    bool stopRequested() const { return m_stopRequested.load(); }
    bool ended() const;

    // Main thread, once the data ended or a stop was requested: ends the driver's thread,
    // stops the instrument and, unless the run failed, reads what the instrument still holds.
    void finish();

    runFailure failure() const;
    ViStatus failureStatus() const;   // the driver's status for runFailure::driver
    ViInt32 backlog() const { return m_backlog.load(); }

    // The quarter second of scans the panel reads per callback.
    static int thresholdFor(double rate);

private:
    static void callback(ViSession vi, ViInt32 backlog, ViInt16 daEnd, ViAddr params);
    void onData(ViInt32 backlog, bool end);
    bool readBlock(ViInt32 scans, ViInt32 *read, ViInt32 *remaining);
    void drain();
    void fail(runFailure failure, ViStatus status);
    void markEnded();

    const ViSession m_vi;
    const runLayout m_layout;
    recordingFile &m_file;
    std::vector<double> m_data;         // used by one thread at a time: the callback, then finish()
    std::vector<std::int32_t> m_stamps;
    bool m_started = false;             // main thread only
    std::atomic<bool> m_stopRequested{false};
    std::atomic<ViInt32> m_backlog{0};
    mutable std::mutex m_mutex;         // protects m_ended, m_failure, m_failureStatus
    std::condition_variable m_wake;
    bool m_ended = false;
    runFailure m_failure = runFailure::none;
    ViStatus m_failureStatus = VI_SUCCESS;
};

#endif
