// Reading ACQ:STAT? and recording the end of a failed acquisition.
#include "acquisitionState.h"

#include "driverSession.h"
#include "ts4720.h"

namespace ts4720 {

namespace {
const int kOverflowError = -363; // the backlog outgrew the instrument's memory
}

ViStatus queryAcquisitionState(DriverSession &session, AcquisitionState *state)
{
    std::string unit;
    ViStatus status = session.queryOne("ACQ:STAT?", &unit);
    if (status < 0)
        return status;
    std::vector<std::string> fields = scpi::split(unit, ',');
    long long values[3];
    if (fields.size() != 3)
        return TS4720_ERROR_BAD_RESPONSE;
    for (int i = 0; i < 3; ++i) {
        if (!scpi::toLong(fields[i], &values[i]))
            return TS4720_ERROR_BAD_RESPONSE;
    }
    if (values[0] < ts4720_ACQ_IDLE || values[0] > ts4720_ACQ_RUNNING || values[1] < 0
        || values[1] > 0x7FFFFFFF)
        return TS4720_ERROR_BAD_RESPONSE;
    state->state = static_cast<int>(values[0]);
    state->backlog = static_cast<ViInt32>(values[1]);
    state->error = static_cast<int>(values[2]);
    return status;
}

ViStatus acquisitionErrorStatus(DriverSession &session, int error)
{
    if (error == 0)
        return VI_SUCCESS;
    if (error == kOverflowError)
        return TS4720_ERROR_ACQ_OVERFLOW;
    session.lastEntry.code = error;
    session.lastEntry.text = "Acquisition ended by the instrument";
    return error < 0 ? TS4720_ERROR_INSTRUMENT : TS4720_WARN_INSTRUMENT;
}

ViStatus pollAcquisitionState(DriverSession &session, AcquisitionState *state)
{
    std::lock_guard<std::mutex> guard(session.lock);
    if (session.closed)
        return TS4720_ERROR_INV_SESSION;
    return queryAcquisitionState(session, state);
}

ViStatus noteAcquisitionError(DriverSession &session, int error)
{
    std::lock_guard<std::mutex> guard(session.lock);
    session.endStatus = acquisitionErrorStatus(session, error);
    return session.endStatus;
}

void stopOnInstrument(DriverSession &session)
{
    std::lock_guard<std::mutex> guard(session.lock);
    if (!session.closed)
        session.command("ACQ:STOP");
}

void markAcquisitionFailed(DriverSession &session, ViStatus status)
{
    std::lock_guard<std::mutex> guard(session.lock);
    session.endStatus = status;
    session.acquisitionFailure = status;
    session.lastRemaining = 0;
}

void beginCallback(DriverSession &session)
{
    std::lock_guard<std::mutex> guard(session.lock);
    session.scansDelivered = 0;
}

bool fullBlockLeft(DriverSession &session, ViInt32 threshold)
{
    std::lock_guard<std::mutex> guard(session.lock);
    return session.scansDelivered > 0 && session.lastRemaining >= threshold;
}

} // namespace ts4720
