// Acquisition states: idle -> armed (waiting for the PTP alarm or a line) -> running -> idle.
#include "acquisitionEngine.h"

#include <algorithm>
#include <cmath>

namespace tssim {

void AcquisitionEngine::start(const Setup &setup, long long nowNs)
{
    m_setup = setup;
    m_scratch.assign(valuesPerScan(), 0.0);
    m_times.clear();
    m_values.clear();
    m_error = 0;
    m_taken = 0;
    m_id = std::max(nowNs, m_id + 1);
    m_firstHeld = m_sentEnd = 0;
    m_dropping = false;
    m_firstDroppedNs = m_lastTakenNs = 0;
    m_state = Armed;
    if (m_setup.mode.startMode == 0)
        begin(nowNs);
    advance(nowNs);
}

void AcquisitionEngine::stop(long long nowNs)
{
    advance(nowNs);
    if (m_state != Idle)
        finish(0);
}

int AcquisitionEngine::startLine() const
{
    return m_setup.mode.startMode >= 2 ? m_setup.mode.startMode - 1 : 0;
}

int AcquisitionEngine::clockLine() const
{
    return m_setup.mode.clockSource >= 2 ? m_setup.mode.clockSource - 1 : 0;
}

long long AcquisitionEngine::nextPulse(const Line &line) const
{
    return line.clockStartNs +
           static_cast<long long>(std::llround(static_cast<long double>(line.clockPulses + 1) * 1e9L / line.clockRate));
}

void AcquisitionEngine::advance(long long nowNs)
{
    while (true) {
        int next = -1;
        long long nextTime = 0;
        for (int i = 0; i < 2; ++i) {
            Line &line = m_lines[i];
            if (line.clockRate <= 0.0)
                continue;
            if (m_state == Idle) {
                // Nothing listens to the lines: skip their pulses at once.
                const long double elapsed = static_cast<long double>(nowNs - line.clockStartNs);
                line.clockPulses = std::max(line.clockPulses,
                                            static_cast<long long>(std::floor(elapsed * line.clockRate / 1e9L)));
                continue;
            }
            const long long t = nextPulse(line);
            if (t <= nowNs && (next < 0 || t < nextTime)) {
                next = i;
                nextTime = t;
            }
        }
        if (next < 0)
            break;
        runUntil(nextTime);
        ++m_lines[next].clockPulses;
        edge(next + 1, true, nextTime);
        edge(next + 1, false, nextTime);
    }
    runUntil(nowNs);
}

void AcquisitionEngine::runUntil(long long timeNs)
{
    if (m_state == Armed && m_setup.mode.startMode == 1 && m_setup.alarmNs <= timeNs)
        begin(m_setup.alarmNs);
    if (clockLine() != 0)
        return;
    while (m_state == Running) {
        const long long due = m_firstScanNs + static_cast<long long>(std::llround(
                                                 static_cast<long double>(m_taken) * 1e9L / m_setup.mode.scanRate));
        if (due > timeNs)
            break;
        takeScan(due);
    }
}

void AcquisitionEngine::edge(int line, bool rising, long long timeNs)
{
    if (m_state == Armed && rising && startLine() == line) {
        begin(timeNs);
        return;
    }
    if (m_state != Running)
        return;
    if (rising && clockLine() == line)
        takeScan(timeNs);
    if (m_state == Running && startLine() == line) {
        if ((m_setup.mode.stop == 1 && rising) || (m_setup.mode.stop == 2 && !rising))
            finish(0);
    }
}

void AcquisitionEngine::begin(long long timeNs)
{
    m_state = Running;
    m_firstScanNs = timeNs;
}

void AcquisitionEngine::takeScan(long long timeNs)
{
    const bool full = m_dropping || backlog() >= m_capacity;
    if (full && !m_setup.sink) {
        // The backlog is full and nothing else keeps the scans: end here rather than lose any.
        m_firstDroppedNs = timeNs;
        finish(OverflowError);
        return;
    }
    if (!m_scratch.empty())
        m_setup.sampler(timeNs, m_scratch.data());
    if (full) {
        // The shadow copy keeps the whole run; the backlog keeps no more of it, so that what
        // it holds stays one unbroken stretch.
        if (!m_dropping)
            m_firstDroppedNs = timeNs;
        m_dropping = true;
        m_error = OverflowError;
    } else {
        m_times.push_back(timeNs);
        m_values.insert(m_values.end(), m_scratch.begin(), m_scratch.end());
    }
    ++m_taken;
    m_lastTakenNs = timeNs;
    if (m_setup.sink && !m_setup.sink(timeNs, m_scratch.data())) {
        finish(DiskFullError);
        return;
    }
    if (m_setup.mode.stop == 0 && m_setup.mode.scans > 0 && m_taken >= m_setup.mode.scans)
        finish(0);
}

void AcquisitionEngine::finish(int error)
{
    m_state = Idle;
    if (error != 0) // an overflow that came first stays on record
        m_error = error;
}

size_t AcquisitionEngine::take(size_t n, std::vector<long long> *times, std::vector<double> *values)
{
    const size_t count = copyHeld(n, times, values);
    release(count);
    return count;
}

long long AcquisitionEngine::fetch(long long first, size_t n, std::vector<long long> *times,
                                   std::vector<double> *values)
{
    if (first < m_firstHeld || first > endHeld())
        return -1;
    release(static_cast<size_t>(first - m_firstHeld));
    const size_t count = copyHeld(n, times, values);
    m_sentEnd = first + static_cast<long long>(count);
    return static_cast<long long>(count);
}

// The oldest n held scans (or all of them) are appended.
size_t AcquisitionEngine::copyHeld(size_t n, std::vector<long long> *times, std::vector<double> *values) const
{
    const size_t count = std::min(n, m_times.size());
    times->insert(times->end(), m_times.begin(), m_times.begin() + static_cast<long>(count));
    values->insert(values->end(), m_values.begin(), m_values.begin() + static_cast<long>(count * valuesPerScan()));
    return count;
}

void AcquisitionEngine::release(size_t count)
{
    m_times.erase(m_times.begin(), m_times.begin() + static_cast<long>(count));
    m_values.erase(m_values.begin(), m_values.begin() + static_cast<long>(count * valuesPerScan()));
    m_firstHeld += static_cast<long long>(count);
}

bool AcquisitionEngine::span(long long first, Span *span) const
{
    if (first < m_firstHeld || first > endHeld())
        return false;
    *span = Span();
    span->first = first;
    span->count = m_taken - first;
    span->last = m_taken - 1;
    if (span->count == 0) {
        span->firstNs = m_firstDroppedNs;
        return true;
    }
    span->firstNs = first < endHeld() ? m_times[static_cast<size_t>(first - m_firstHeld)] : m_firstDroppedNs;
    span->lastNs = m_lastTakenNs;
    return true;
}

void AcquisitionEngine::pulse(int line, int count, long long nowNs)
{
    for (int i = 0; i < count; ++i) {
        edge(line, true, nowNs);
        edge(line, false, nowNs);
    }
}

void AcquisitionEngine::hold(int line, bool active, long long nowNs)
{
    Line &l = m_lines[line - 1];
    if (l.active == active)
        return;
    l.active = active;
    edge(line, active, nowNs);
}

void AcquisitionEngine::setClock(int line, double rateHz, long long nowNs)
{
    Line &l = m_lines[line - 1];
    l.clockRate = rateHz;
    l.clockStartNs = nowNs;
    l.clockPulses = 0;
}

} // namespace tssim
