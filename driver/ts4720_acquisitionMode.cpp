// Acquisition settings, state and PTP clock functions.
#include "ts4720.h"

#include "acquisitionState.h"
#include "callArguments.h"
#include "sessionCall.h"

#include <cmath>
#include <string>

using namespace ts4720;

namespace {
bool inRange(long long value, long long low, long long high)
{
    return value >= low && value <= high;
}

// "<seconds>,<nanoseconds>" of PTP:TIME? and PTP:ALARm?.
ViStatus queryTime(ViSession vi, const char *message, ViUInt32 *seconds, ViUInt32 *nanoseconds)
{
    if (seconds == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::string unit;
    ViStatus status = sessionQuery(vi, message, &unit);
    if (status < 0)
        return status;
    std::vector<std::string> f = scpi::split(unit, ',');
    long long s = 0, ns = 0;
    if (f.size() != 2 || !scpi::toLong(f[0], &s) || !scpi::toLong(f[1], &ns)
        || !inRange(s, 0, 0xFFFFFFFFLL) || !inRange(ns, 0, 999999999))
        return TS4720_ERROR_BAD_RESPONSE;
    *seconds = static_cast<ViUInt32>(s);
    if (nanoseconds != nullptr)
        *nanoseconds = static_cast<ViUInt32>(ns);
    return status;
}

struct ModeFields {
    long long clock, scans, start, stop, timestamps;
    double rate;
};

bool parseMode(const std::string &unit, ModeFields *m)
{
    std::vector<std::string> f = scpi::split(unit, ',');
    return f.size() == 6 && scpi::toLong(f[0], &m->clock) && scpi::toFinite(f[1], &m->rate) && m->rate > 0.0
           && scpi::toLong(f[2], &m->scans) && scpi::toLong(f[3], &m->start)
           && scpi::toLong(f[4], &m->stop) && scpi::toLong(f[5], &m->timestamps)
           && inRange(m->clock, 0, 3) && inRange(m->scans, 0, 0x7FFFFFFF) && inRange(m->start, 0, 3)
           && inRange(m->stop, 0, 2) && inRange(m->timestamps, 0, 1);
}
} // namespace

ViStatus ts4720_getAcquisitionMode(ViSession vi, ViInt16 *clockSource, ViReal64 *scanRate,
                                   ViInt32 *numberOfScans, ViInt16 *startMode, ViInt16 *stop,
                                   ViBoolean *timestamps)
{
    std::string unit;
    ViStatus status = sessionQuery(vi, "ACQ:MODE?", &unit);
    if (status < 0)
        return status;
    ModeFields m;
    if (!parseMode(unit, &m))
        return TS4720_ERROR_BAD_RESPONSE;
    if (clockSource) *clockSource = static_cast<ViInt16>(m.clock);
    if (scanRate) *scanRate = m.rate;
    if (numberOfScans) *numberOfScans = static_cast<ViInt32>(m.scans);
    if (startMode) *startMode = static_cast<ViInt16>(m.start);
    if (stop) *stop = static_cast<ViInt16>(m.stop);
    if (timestamps) *timestamps = m.timestamps ? VI_TRUE : VI_FALSE;
    return status;
}

ViStatus ts4720_setAcquisitionMode(ViSession vi, ViInt16 clockSource, ViReal64 scanRate,
                                   ViInt32 numberOfScans, ViInt16 startMode, ViInt16 stop,
                                   ViBoolean timestamps)
{
    if (!inRange(clockSource, 0, 3) || !std::isfinite(scanRate) || scanRate <= 0.0
        || numberOfScans < 0 || !inRange(startMode, 0, 3) || !inRange(stop, 0, 2))
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "ACQ:MODE " + std::to_string(clockSource) + "," + scpi::number(scanRate)
                              + "," + std::to_string(numberOfScans) + "," + std::to_string(startMode)
                              + "," + std::to_string(stop) + (timestamps ? ",1" : ",0"));
}

ViStatus ts4720_checkAcquisition(ViSession vi, ViInt16 *state, ViInt32 *backlog)
{
    if (state == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    AcquisitionState current;
    ViStatus status = queryAcquisitionState(call.session(), &current);
    if (status < 0)
        return status;
    *state = static_cast<ViInt16>(current.state);
    if (backlog != nullptr)
        *backlog = current.backlog;
    return worse(acquisitionErrorStatus(call.session(), current.error), status);
}

ViStatus ts4720_getPTPTime(ViSession vi, ViUInt32 *seconds, ViUInt32 *nanoseconds)
{
    return queryTime(vi, "PTP:TIME?", seconds, nanoseconds);
}

ViStatus ts4720_getPTPAlarm(ViSession vi, ViUInt32 *seconds, ViUInt32 *nanoseconds)
{
    return queryTime(vi, "PTP:ALAR?", seconds, nanoseconds);
}

ViStatus ts4720_setPTPAlarm(ViSession vi, ViUInt32 seconds, ViUInt32 nanoseconds)
{
    if (nanoseconds > 999999999u)
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "PTP:ALAR " + std::to_string(seconds) + "," + std::to_string(nanoseconds));
}
