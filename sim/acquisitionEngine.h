// The acquisition engine: scans become due from the elapsed time (or from clock pulses on a
// rear-panel line) and are produced lazily, whenever the instrument is asked anything, so
// no timer has to keep up. Unread scans wait in a bounded backlog. Scans are numbered from 0
// in the order taken; a client reads by number and releases what it has got by reading on,
// so that a reply lost on the way can be read again.
#ifndef TSSIM_ACQUISITIONENGINE_H
#define TSSIM_ACQUISITIONENGINE_H

#include "instrumentSettings.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace tssim {

class AcquisitionEngine {
public:
    enum State { Idle = 0, Armed = 1, Running = 2 };
    enum { DefaultCapacity = 60000, OverflowError = -363, DiskFullError = -250 };

    // Writes the scan's values (valuesPerScan() doubles) for the instant timeNs.
    using Sampler = std::function<void(long long timeNs, double *values)>;
    // Receives every scan as it is taken (the shadow copy); false: the disk is full.
    using ScanSink = std::function<bool(long long timeNs, const double *values)>;

    struct Setup {
        AcquisitionMode mode;
        long long alarmNs = 0;
        std::vector<int> channels; // enabled channel numbers
        int valuesPerChannel = 1;
        int dataFormat = 1; // bit values 1 temperature, 2 voltage, 4 cold junction
        Sampler sampler;
        ScanSink sink; // may be empty
    };

    void start(const Setup &setup, long long nowNs);
    void stop(long long nowNs);
    // Produces every scan due up to nowNs and applies the line clocks' pulses up to then.
    void advance(long long nowNs);

    State state() const { return m_state; }
    long long backlog() const { return static_cast<long long>(m_times.size()); }
    // The held scans not yet sent by a fetch (a fetch keeps what it sent until the next one).
    long long unsent() const { return endHeld() - std::max(m_firstHeld, m_sentEnd); }
    int errorCode() const { return m_error; }
    long long scansTaken() const { return m_taken; }
    // Changes with every start: a client that comes back knows whether it is the same run.
    long long id() const { return m_id; }
    // The backlog holds the scans firstHeld() .. endHeld() - 1. With a shadow copy a full
    // backlog keeps no more scans while the acquisition goes on: scansTaken() runs ahead.
    long long firstHeld() const { return m_firstHeld; }
    long long endHeld() const { return m_firstHeld + backlog(); }
    const Setup &setup() const { return m_setup; }
    size_t valuesPerScan() const { return m_setup.channels.size() * static_cast<size_t>(m_setup.valuesPerChannel); }

    // Removes up to n of the oldest scans; their times and values are appended.
    size_t take(size_t n, std::vector<long long> *times, std::vector<double> *values);
    // Releases the held scans before `first`, then appends up to n scans from `first` on
    // and returns their count; -1 (nothing released) when `first` is not within
    // firstHeld() .. endHeld().
    long long fetch(long long first, size_t n, std::vector<long long> *times, std::vector<double> *values);

    // The scans from `first` to the last one taken, with the instants of both ends. count 0
    // (last -1): none was taken from `first` on; firstNs is then the instant the backlog
    // overflowed, if it did (else 0). false when `first` is not within firstHeld() .. endHeld().
    struct Span {
        long long count = 0, first = 0, firstNs = 0, last = 0, lastNs = 0;
    };
    bool span(long long first, Span *span) const;

    void setCapacity(long long scans) { m_capacity = scans; }
    long long capacity() const { return m_capacity; }

    // Rear-panel input lines 1 and 2 (the test hooks drive them). The instrument time of
    // each call must be the one advance() was last called with.
    void pulse(int line, int count, long long nowNs);
    void hold(int line, bool active, long long nowNs);
    void setClock(int line, double rateHz, long long nowNs); // 0 Hz: no clock
    bool lineActive(int line) const { return m_lines[line - 1].active; }
    double clockRate(int line) const { return m_lines[line - 1].clockRate; }

private:
    struct Line {
        bool active = false;
        double clockRate = 0.0;
        long long clockStartNs = 0;
        long long clockPulses = 0; // pulses already applied
    };

    long long nextPulse(const Line &line) const;
    int startLine() const;  // 1/2 or 0
    int clockLine() const;  // 1/2 or 0
    void runUntil(long long timeNs);
    void edge(int line, bool rising, long long timeNs);
    void begin(long long timeNs);
    void takeScan(long long timeNs);
    void finish(int error);
    size_t copyHeld(size_t n, std::vector<long long> *times, std::vector<double> *values) const;
    void release(size_t count);

    Setup m_setup;
    State m_state = Idle;
    int m_error = 0;
    long long m_firstScanNs = 0;
    long long m_taken = 0;
    long long m_id = 0;
    long long m_firstHeld = 0;
    long long m_sentEnd = 0;       // one past the last scan a fetch sent
    bool m_dropping = false;       // the backlog was full: the run goes on in the shadow copy alone
    long long m_firstDroppedNs = 0; // the first scan the backlog had no room for
    long long m_lastTakenNs = 0;
    long long m_capacity = DefaultCapacity;
    std::deque<long long> m_times;
    std::deque<double> m_values;
    std::vector<double> m_scratch;
    Line m_lines[2];
};

} // namespace tssim

#endif
