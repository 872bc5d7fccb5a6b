// The acquisition thread: poll ACQ:STAT?, hand blocks to the callback, reconnect after a
// broken connection, end on the instrument's end, a lasting failure or a stop request.
#include "acquisitionWorker.h"

#include "acquisitionReconnect.h"
#include "acquisitionState.h"
#include "driverSession.h"
#include "ts4720_ext.h"

#include <algorithm>
#include <chrono>

namespace ts4720 {

AcquisitionWorker::~AcquisitionWorker()
{
    stop();
}

int AcquisitionWorker::pollInterval(ViInt32 threshold, double scanRate)
{
    // A quarter of the time one block takes to fill: the block is picked up soon after
    // it is complete, without spinning on a slow acquisition.
    double ms = scanRate > 0.0 ? threshold * 1000.0 / scanRate / 4.0 : 50.0;
    return static_cast<int>(std::min(50.0, std::max(2.0, ms)));
}

void AcquisitionWorker::joinFinished()
{
    std::thread finished;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_busy || !m_thread.joinable())
            return;
        finished = std::move(m_thread);
    }
    finished.join();
}

bool AcquisitionWorker::running()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_busy;
}

bool AcquisitionWorker::reserve()
{
    if (onWorkerThread())
        return false; // a callback cannot start the next acquisition before its own ends
    joinFinished();
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_busy)
        return false;
    m_busy = true;
    m_stop = false;
    return true;
}

void AcquisitionWorker::release()
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_busy = false;
    }
    m_wake.notify_all();
}

void AcquisitionWorker::start(const std::shared_ptr<DriverSession> &session,
                              const AcquisitionPlan &plan)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_thread = std::thread(&AcquisitionWorker::run, this, session, plan);
}

void AcquisitionWorker::stop()
{
    std::thread running;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_stop = true;
        if (onWorkerThread())
            return;
        if (m_thread.joinable() && m_thread.get_id() == std::this_thread::get_id()) {
            // The session is being destroyed by its own thread, after its last callback.
            m_thread.detach();
            return;
        }
        running = std::move(m_thread);
    }
    m_wake.notify_all();
    if (running.joinable())
        running.join();
    // Another caller may be joining the thread at the same time: return only once it
    // has left its loop, so that no callback runs after stop() returns.
    std::unique_lock<std::mutex> guard(m_mutex);
    m_wake.wait(guard, [this] { return !m_busy; });
}

bool AcquisitionWorker::waitForStop(int ms)
{
    std::unique_lock<std::mutex> guard(m_mutex);
    return m_wake.wait_for(guard, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

bool AcquisitionWorker::deliver(const AcquisitionPlan &plan, ViSession vi, ViInt32 backlog,
                                ViInt16 end)
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_stop)
            return false;
    }
    plan.callback(vi, backlog, end, plan.params);
    return true;
}

void AcquisitionWorker::run(std::shared_ptr<DriverSession> session, AcquisitionPlan plan)
{
    m_threadId = std::this_thread::get_id();
    bool hurry = false; // the last read left a full block behind: fetch it at once
    for (;;) {
        if (!hurry && waitForStop(plan.pollMs))
            break;
        hurry = false;
        AcquisitionState state;
        ViStatus status = pollAcquisitionState(*session, &state);
        if (status < 0 && ts4720_isConnectionFailure(status)) {
            status = reconnectAcquisition(*session, status, [this](int ms) { return waitForStop(ms); });
            if (waitForStop(0))
                break; // stopped while reconnecting: the stop ends the run, nothing more is owed
            hurry = status >= 0;
            if (hurry)
                continue;
        }
        if (status < 0) {
            recordLoss(*session, status, false);
            markAcquisitionFailed(*session, status);
            deliver(plan, session->handle, 0, 1);
            break;
        }
        if (state.state != ts4720_ACQ_IDLE && state.error != 0) {
            // The scan memory overflowed and the instrument goes on in its shadow copy alone:
            // end the run there, so that the copy names every scan not delivered.
            stopOnInstrument(*session);
            hurry = true;
            continue;
        }
        if (state.state == ts4720_ACQ_IDLE) {
            if (state.error != 0 && noteAcquisitionError(*session, state.error) == TS4720_ERROR_ACQ_OVERFLOW)
                recordLoss(*session, TS4720_ERROR_ACQ_OVERFLOW, true);
            deliver(plan, session->handle, state.backlog, 1);
            break;
        }
        if (state.backlog >= plan.threshold) {
            beginCallback(*session);
            if (!deliver(plan, session->handle, state.backlog, 0))
                break;
            hurry = fullBlockLeft(*session, plan.threshold);
        }
    }
    m_threadId = std::thread::id();
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_busy = false;
    }
    m_wake.notify_all();
}

} // namespace ts4720
