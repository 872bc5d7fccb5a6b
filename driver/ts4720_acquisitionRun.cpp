// Running an acquisition: start with the driver's thread, read blocks, stop.
#include "ts4720.h"

#include "acquisitionReconnect.h"
#include "acquisitionSetup.h"
#include "acquisitionState.h"
#include "callArguments.h"
#include "scanBlock.h"
#include "sessionCall.h"
#include "sessionRegistry.h"
#include "ts2900.h"
#include "ts4720_ext.h"

#include <chrono>
#include <string>

using namespace ts4720;

namespace {
// A broken connection met by a read of the acquisition thread's own callback: it returns
// with what it got and nothing waiting; the thread reconnects after the callback.
bool leftToReconnect(DriverSession &session, ViStatus status)
{
    return ts4720_isConnectionFailure(status) && session.worker.onWorkerThread() && session.graceMs > 0
           && session.acquisitionFailure == 0;
}

// Waits (without holding the session's lock) until `scans` are waiting, the
// acquisition is no longer running, or the time is up.
ViStatus waitForScans(ViSession vi, ViInt32 scans, ViInt32 timeoutMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        AcquisitionState state;
        {
            SessionCall call(vi);
            if (call.status() != 0)
                return call.status();
            if (call->acquisitionFailure != 0 && call->worker.onWorkerThread())
                return VI_SUCCESS;
            ViStatus status = queryAcquisitionState(call.session(), &state);
            if (status < 0)
                return leftToReconnect(call.session(), status) ? VI_SUCCESS : status;
        }
        if (state.backlog >= scans || state.state == ts4720_ACQ_IDLE
            || std::chrono::steady_clock::now() >= until)
            return VI_SUCCESS;
        ts2900_delay(2.0);
    }
}

ViStatus readRemaining(DriverSession &session, ViInt32 *remaining)
{
    AcquisitionState state;
    ViStatus status = queryAcquisitionState(session, &state);
    if (status >= 0)
        *remaining = state.backlog;
    return status;
}

// At most `scans` whole scans of the layout fixed at the start, from the first one not yet
// delivered, or nothing is written. The instrument keeps them until a later read asks for
// the ones after them: a block lost on the way is asked for again.
ViStatus readBlock(DriverSession &session, ViInt32 scans, ViInt32 *scansRead, ViReal64 data[],
                   ViInt32 timestamps[])
{
    std::string bytes;
    const size_t maxLength = static_cast<size_t>(scans) * session.layout.scanBytes();
    ViStatus status = session.queryBlock(
        "DATA:FETC? " + std::to_string(session.nextScan) + "," + std::to_string(scans), maxLength, &bytes);
    if (status < 0)
        return status;
    long count = scanCount(bytes, session.layout);
    if (count < 0 || count > scans)
        return TS4720_ERROR_BAD_RESPONSE;
    unpackScans(bytes, session.layout, data, timestamps);
    *scansRead = static_cast<ViInt32>(count);
    session.nextScan += count;
    if (count > 0)
        session.lastScanNs = lastTimestamp(bytes, session.layout);
    return status;
}

} // namespace

// Starts the instrument and reads the block layout under the session's lock; the
// worker is claimed before and started after it, so the two locks are never nested.
static ViStatus startInstrument(ViSession vi, std::shared_ptr<DriverSession> *session, double *rate)
{
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    ViStatus status = startWithFixedLayout(call.session());
    if (status < 0)
        return status;
    // Without its place in the run no scan could be read, nor the run resumed.
    const ViStatus placed = noteRunStart(call.session());
    if (placed < 0) {
        call->command("ACQ:STOP");
        return placed;
    }
    status = worse(status, placed);
    call->endStatus = 0;
    call->acquisitionFailure = 0;
    call->lastRemaining = 0;
    call->scansDelivered = 0;
    *session = call.shared();
    *rate = call->layout.scanRate;
    return status;
}

ViStatus ts4720_startAcquisitionEx(ViSession vi, ViInt32 threshold, ts4720_callback_t callback,
                                   ViAddr params)
{
    if (threshold < 1)
        return TS4720_ERROR_INV_PARAMETER;
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().find(vi);
    if (!session)
        return TS4720_ERROR_INV_SESSION;
    if (!session->worker.reserve())
        return TS4720_ERROR_ACQ_RUNNING;
    double rate = 0.0;
    ViStatus status = startInstrument(vi, &session, &rate);
    if (status < 0 || callback == nullptr) {
        session->worker.release(); // without a callback the caller polls and reads by itself
        return status;
    }
    AcquisitionPlan plan;
    plan.threshold = threshold;
    plan.callback = callback;
    plan.params = params;
    plan.pollMs = AcquisitionWorker::pollInterval(threshold, rate);
    session->worker.start(session, plan);
    return status;
}

ViStatus ts4720_stopAcquisition(ViSession vi)
{
    SessionCall call(vi);
    if (call.status() == TS4720_ERROR_INV_SESSION)
        return call.status();
    // A reconnection in progress is no failure of the stop: the stop ends it.
    ViStatus ended = call.status() == TS4720_ERROR_RECONNECTING ? VI_SUCCESS : call.status();
    call.unlock();
    // Joined without the session's lock: a running callback may still read on it.
    call->worker.stop();
    SessionCall stopCall(vi);
    if (stopCall.status() != 0)
        return worse(ended, stopCall.status());
    return worse(ended, stopCall->command("ACQ:STOP"));
}

ViStatus ts4720_readAcquisition(ViSession vi, ViInt32 scans, ViInt32 timeoutMs, ViInt32 *remaining,
                                ViInt32 *scansRead, ViReal64 data[], ViInt32 timestamps[])
{
    if (remaining == nullptr || scansRead == nullptr || data == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    *remaining = 0;
    *scansRead = 0;
    if (scans < 0 || timeoutMs < 0)
        return TS4720_ERROR_INV_PARAMETER;
    if (timeoutMs > 0 && scans > 0) {
        ViStatus waited = waitForScans(vi, scans, timeoutMs);
        if (waited < 0)
            return waited;
    }
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    // The final callback after a failure: nothing more can be read.
    if (call->acquisitionFailure != 0 && call->worker.onWorkerThread())
        return call->acquisitionFailure;
    // Only the acquisition started on this session, laid out as it was then.
    if (!call->layout.valid)
        return TS4720_ERROR_ACQ_NOT_RUNNING;
    ViStatus status = VI_SUCCESS;
    if (scans > 0)
        status = readBlock(call.session(), scans, scansRead, data, timestamps);
    if (status >= 0)
        status = worse(status, readRemaining(call.session(), remaining));
    if (status < 0 && leftToReconnect(call.session(), status)) {
        *remaining = 0;
        status = VI_SUCCESS;
    }
    call->lastRemaining = *remaining;
    call->scansDelivered += *scansRead;
    return status;
}
