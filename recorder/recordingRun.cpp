// The data path of one run.
#include "recordingRun.h"

#include "recordingFile.h"
#include "ts4720_ext.h"

#include <algorithm>
#include <chrono>

recordingRun::recordingRun(ViSession vi, const runLayout &layout, recordingFile &file)
    : m_vi(vi),
      m_layout(layout),
      m_file(file),
      m_data(size_t(layout.threshold) * size_t(layout.channels) * size_t(layout.valuesPerChannel)),
      m_stamps(size_t(layout.threshold) * 2)
{
}

recordingRun::~recordingRun()
{
    if (m_started)
        ts4720_stopAcquisition(m_vi);
}

int recordingRun::thresholdFor(double rate)
{
    return std::max(1, int(rate * 0.25));
}

ViStatus recordingRun::start()
{
    const ViStatus status = ts4720_startAcquisitionEx(m_vi, m_layout.threshold, &recordingRun::callback, this);
    m_started = status >= 0;
    return status;
}

void recordingRun::callback(ViSession, ViInt32 backlog, ViInt16 daEnd, ViAddr params)
{
    static_cast<recordingRun *>(params)->onData(backlog, daEnd != 0);
}

// One block per call, as the panel reads; at the end everything that is left.
void recordingRun::onData(ViInt32 backlog, bool end)
{
    m_backlog = backlog;
    ViInt32 read = 0, remaining = 0;
    bool ok = readBlock(std::min<ViInt32>(backlog, m_layout.threshold), &read, &remaining);
    while (ok && end && remaining > 0)
        ok = readBlock(std::min<ViInt32>(remaining, m_layout.threshold), &read, &remaining);
    if (!ok || end)
        markEnded();
}

bool recordingRun::readBlock(ViInt32 scans, ViInt32 *read, ViInt32 *remaining)
{
    std::int32_t *stamps = m_layout.timestamps ? m_stamps.data() : nullptr;
    const ViStatus status = ts4720_readAcquisition(m_vi, scans, 0, remaining, read, m_data.data(), stamps);
    m_backlog = *remaining;
    if (status < 0) {
        fail(runFailure::driver, status);
        return false;
    }
    if (!m_file.writeBlock(m_data.data(), stamps, *read)) {
        fail(runFailure::write, VI_SUCCESS);
        return false;
    }
    return true;
}

void recordingRun::finish()
{
    if (!m_started)
        return;
    // Joins the driver's thread; returns once why the instrument ended the run, if it did.
    const ViStatus stopped = ts4720_stopAcquisition(m_vi);
    m_started = false;
    if (failure() != runFailure::none)
        return;
    if (stopped < 0)
        fail(runFailure::driver, stopped);
    if (!ts4720_isConnectionFailure(stopped))
        drain();
}

// After the stop nothing new arrives: read what waited then, and no more, so that an
// instrument that did not stop cannot keep this loop going.
void recordingRun::drain()
{
    ViInt32 read = 0, remaining = 0;
    if (!readBlock(m_layout.threshold, &read, &remaining))
        return;
    long long left = remaining;
    while (left > 0 && read > 0) {
        if (!readBlock(ViInt32(std::min<long long>(left, m_layout.threshold)), &read, &remaining))
            return;
        left -= read;
    }
}

bool recordingRun::wait(int ms)
{
    std::unique_lock<std::mutex> guard(m_mutex);
    return m_wake.wait_for(guard, std::chrono::milliseconds(ms),
                           [this] { return m_ended || m_stopRequested.load(); });
}

void recordingRun::requestStop()
{
    m_stopRequested = true;
    std::lock_guard<std::mutex> guard(m_mutex); // a waiter between its check and its sleep still wakes
    m_wake.notify_all();
}

bool recordingRun::ended() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_ended;
}

void recordingRun::fail(runFailure failure, ViStatus status)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_failure != runFailure::none)
        return; // the first cause is the one to report
    m_failure = failure;
    m_failureStatus = status;
}

void recordingRun::markEnded()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_ended = true;
    m_wake.notify_all();
}

runFailure recordingRun::failure() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_failure;
}

ViStatus recordingRun::failureStatus() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_failureStatus;
}
