#include "acquisitionRecorder.h"

#include <algorithm>
#include <chrono>
#include <cmath>

AcquisitionRecorder::AcquisitionRecorder(ViSession vi, ViInt32 threshold, int channels,
                                         int valuesPerChannel, bool stamps)
    : m_vi(vi),
      m_threshold(threshold),
      m_stamps(stamps),
      m_data(size_t(threshold) * size_t(channels) * size_t(valuesPerChannel)),
      m_stampBuffer(size_t(threshold) * 2)
{
}

AcquisitionRecorder::~AcquisitionRecorder()
{
    ts4720_stopAcquisition(m_vi);
}

void AcquisitionRecorder::callback(ViSession vi, ViInt32 backlog, ViInt16 daEnd, ViAddr params)
{
    static_cast<AcquisitionRecorder *>(params)->record(vi, backlog, daEnd);
}

void AcquisitionRecorder::record(ViSession vi, ViInt32 backlog, ViInt16 daEnd)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const int call = ++m_callbacks;
    lock.unlock();
    if (hook)
        hook(vi, call);
    // As the panel does: one block per call, and at the end read until nothing remains.
    for (int round = 0; round < 100000; ++round) {
        RecordedBlock block;
        block.backlog = backlog;
        block.daEnd = daEnd;
        ViInt32 n = std::min(backlog, m_threshold);
        block.status = ts4720_readAcquisition(vi, n, 0, &block.remaining, &block.scansRead, m_data.data(),
                                              m_stamps ? m_stampBuffer.data() : nullptr);
        block.data.assign(m_data.begin(), m_data.begin() + (m_data.size() / size_t(m_threshold)) * size_t(block.scansRead));
        if (m_stamps)
            block.stamps.assign(m_stampBuffer.begin(), m_stampBuffer.begin() + 2 * block.scansRead);
        const bool more = daEnd && block.remaining > 0;
        lock.lock();
        m_blocks.push_back(block);
        lock.unlock();
        if (!more)
            break;
    }
    lock.lock();
    m_endCallbacks += daEnd ? 1 : 0;
    lock.unlock();
    m_changed.notify_all();
}

bool AcquisitionRecorder::waitFor(const std::function<bool()> &done, int ms)
{
    std::unique_lock<std::mutex> guard(m_mutex);
    return m_changed.wait_for(guard, std::chrono::milliseconds(ms), done);
}

int AcquisitionRecorder::callbacks()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_callbacks;
}

int AcquisitionRecorder::endCallbacks()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_endCallbacks;
}

long long AcquisitionRecorder::scans()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    long long total = 0;
    for (const RecordedBlock &b : m_blocks)
        total += b.scansRead;
    return total;
}

std::vector<RecordedBlock> AcquisitionRecorder::blocks()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_blocks;
}

std::vector<long long> AcquisitionRecorder::timestamps()
{
    std::vector<long long> all;
    for (const RecordedBlock &b : blocks()) {
        for (size_t i = 0; i + 1 < b.stamps.size(); i += 2)
            all.push_back(static_cast<long long>(static_cast<ViUInt32>(b.stamps[i])) * 1000000000LL + b.stamps[i + 1]);
    }
    return all;
}

bool configure(ViSession vi, const std::vector<int> &channels, ViInt32 format, ViInt16 clock, double rate,
               ViInt32 scans, ViInt16 start, ViInt16 stop)
{
    for (ViInt16 ch = 1; ch <= TS4720_MAX_CHANNELS; ++ch) {
        bool on = std::find(channels.begin(), channels.end(), ch) != channels.end();
        if (ts4720_setChannelState(vi, ch, on) != VI_SUCCESS)
            return false;
    }
    return ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, format) == VI_SUCCESS
           && ts4720_setAcquisitionMode(vi, clock, rate, scans, start, stop, VI_TRUE) == VI_SUCCESS;
}

bool evenlySpaced(const std::vector<long long> &t, double rate)
{
    return std::adjacent_find(t.begin(), t.end(), [rate](long long a, long long b) {
               return std::fabs(double(b - a) - 1e9 / rate) > 1000.0; }) == t.end();
}

