// Acquisition states: idle -> armed (waiting for the PTP alarm or a line) -> running -> idle.
#include "acquisitionEngine.h"

#include <cmath>

namespace tssim {

void AcquisitionEngine::start(const Setup &setup, long long nowNs)
{
    setup_ = setup;
    scratch_.assign(valuesPerScan(), 0.0);
    times_.clear();
    values_.clear();
    error_ = 0;
    taken_ = 0;
    state_ = Armed;
    if (setup_.mode.startMode == 0)
        begin(nowNs);
    advance(nowNs);
}

void AcquisitionEngine::stop(long long nowNs)
{
    advance(nowNs);
    if (state_ != Idle)
        finish(0);
}

int AcquisitionEngine::startLine() const
{
    return setup_.mode.startMode >= 2 ? setup_.mode.startMode - 1 : 0;
}

int AcquisitionEngine::clockLine() const
{
    return setup_.mode.clockSource >= 2 ? setup_.mode.clockSource - 1 : 0;
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
            Line &line = lines_[i];
            if (line.clockRate <= 0.0)
                continue;
            if (state_ == Idle) {
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
        ++lines_[next].clockPulses;
        edge(next + 1, true, nextTime);
        edge(next + 1, false, nextTime);
    }
    runUntil(nowNs);
}

void AcquisitionEngine::runUntil(long long timeNs)
{
    if (state_ == Armed && setup_.mode.startMode == 1 && setup_.alarmNs <= timeNs)
        begin(setup_.alarmNs);
    if (clockLine() != 0)
        return;
    while (state_ == Running) {
        const long long due = firstScanNs_ + static_cast<long long>(std::llround(
                                                 static_cast<long double>(taken_) * 1e9L / setup_.mode.scanRate));
        if (due > timeNs)
            break;
        takeScan(due);
    }
}

void AcquisitionEngine::edge(int line, bool rising, long long timeNs)
{
    if (state_ == Armed && rising && startLine() == line) {
        begin(timeNs);
        return;
    }
    if (state_ != Running)
        return;
    if (rising && clockLine() == line)
        takeScan(timeNs);
    if (state_ == Running && startLine() == line) {
        if ((setup_.mode.stop == 1 && rising) || (setup_.mode.stop == 2 && !rising))
            finish(0);
    }
}

void AcquisitionEngine::begin(long long timeNs)
{
    state_ = Running;
    firstScanNs_ = timeNs;
}

void AcquisitionEngine::takeScan(long long timeNs)
{
    if (backlog() >= capacity_) {
        // The backlog is full: end here rather than lose scans.
        finish(OverflowError);
        return;
    }
    if (!scratch_.empty())
        setup_.sampler(timeNs, scratch_.data());
    times_.push_back(timeNs);
    values_.insert(values_.end(), scratch_.begin(), scratch_.end());
    ++taken_;
    if (setup_.sink && !setup_.sink(timeNs, scratch_.data())) {
        finish(DiskFullError);
        return;
    }
    if (setup_.mode.stop == 0 && setup_.mode.scans > 0 && taken_ >= setup_.mode.scans)
        finish(0);
}

void AcquisitionEngine::finish(int error)
{
    state_ = Idle;
    error_ = error;
}

size_t AcquisitionEngine::take(size_t n, std::vector<long long> *times, std::vector<double> *values)
{
    const size_t count = std::min(n, times_.size());
    const size_t perScan = valuesPerScan();
    times->insert(times->end(), times_.begin(), times_.begin() + static_cast<long>(count));
    values->insert(values->end(), values_.begin(), values_.begin() + static_cast<long>(count * perScan));
    times_.erase(times_.begin(), times_.begin() + static_cast<long>(count));
    values_.erase(values_.begin(), values_.begin() + static_cast<long>(count * perScan));
    return count;
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
    Line &l = lines_[line - 1];
    if (l.active == active)
        return;
    l.active = active;
    edge(line, active, nowNs);
}

void AcquisitionEngine::setClock(int line, double rateHz, long long nowNs)
{
    Line &l = lines_[line - 1];
    l.clockRate = rateHz;
    l.clockStartNs = nowNs;
    l.clockPulses = 0;
}

} // namespace tssim
