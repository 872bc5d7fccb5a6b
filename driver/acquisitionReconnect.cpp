// DATA:RANGe? "<run>,<first held>,<end held>,<taken>" tells a returning client whether its
// run goes on and whether its next scan is still held; DATA:LOST? "<count>,<first>,<s>,<ns>,
// <last>,<s>,<ns>" names the scans from the end of the held ones to the last one taken.
#include "acquisitionReconnect.h"

#include "callArguments.h"
#include "driverSession.h"
#include "ts4720_ext.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace ts4720 {

namespace {
const int kFirstPauseMs = 100;
const int kLongestPauseMs = 2000;

long long steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// `count` comma-separated integers, each at least `lowest`.
bool integers(const std::string &unit, size_t count, long long lowest, long long *values)
{
    const std::vector<std::string> fields = scpi::split(unit, ',');
    if (fields.size() != count)
        return false;
    for (size_t i = 0; i < count; ++i)
        if (!scpi::toLong(fields[i], &values[i]) || values[i] < lowest)
            return false;
    return true;
}

struct HeldRange {
    long long run = 0, first = 0, end = 0;
};

ViStatus queryRange(DriverSession &session, HeldRange *range)
{
    std::string unit;
    long long v[4];
    ViStatus status = session.queryOne("DATA:RANG?", &unit);
    if (status < 0)
        return status;
    if (!integers(unit, 4, 0, v) || v[1] > v[2])
        return TS4720_ERROR_BAD_RESPONSE;
    *range = {v[0], v[1], v[2]};
    return status;
}

// One attempt, under the session's lock.
ViStatus reattach(DriverSession &session)
{
    std::lock_guard<std::mutex> guard(session.lock);
    if (session.closed)
        return TS4720_ERROR_INV_SESSION;
    ViStatus status = session.link.reopen();
    HeldRange range;
    if (status >= 0)
        status = queryRange(session, &range);
    if (status < 0)
        return status;
    if (range.run != session.runId || session.nextScan < range.first || session.nextScan > range.end)
        return TS4720_ERROR_ACQ_NOT_RUNNING;
    return VI_SUCCESS;
}

void setInstant(long long ns, ViUInt32 *seconds, ViUInt32 *nanoseconds)
{
    *seconds = ns > 0 ? static_cast<ViUInt32>(ns / 1000000000LL) : 0;
    *nanoseconds = ns > 0 ? static_cast<ViUInt32>(ns % 1000000000LL) : 0;
}

// The instrument's account of the scans from the end of the held ones on.
bool askLost(DriverSession &session, ts4720_acquisitionLoss *loss)
{
    std::string unit;
    long long v[7];
    if (session.queryOne("DATA:LOST?", &unit) < 0 || !integers(unit, 7, -1, v) || v[0] < 0 || v[1] < 0)
        return false;
    for (int i : {2, 5}) // instants as PTP times: 32-bit seconds, nanoseconds below one second
        if (v[i] > 0xFFFFFFFFLL || v[i + 1] < 0 || v[i + 1] > 999999999)
            return false;
    loss->firstScan = v[1];
    setInstant(v[2] * 1000000000LL + v[3], &loss->firstSeconds, &loss->firstNanoseconds);
    loss->lastScan = v[0] > 0 ? v[4] : -1;
    setInstant(v[0] > 0 ? v[5] * 1000000000LL + v[6] : 0, &loss->lastSeconds, &loss->lastNanoseconds);
    return true;
}
} // namespace

ViStatus noteRunStart(DriverSession &session)
{
    session.loss = DriverSession::emptyLoss();
    session.lastScanNs = -1;
    HeldRange range;
    ViStatus status = queryRange(session, &range);
    if (status < 0)
        return status;
    session.runId = range.run;
    session.nextScan = range.first;
    std::string unit, name;
    ViStatus shadow = session.queryOne("ACQ:SHAD?", &unit);
    if (shadow < 0)
        return shadow;
    const std::vector<std::string> fields = scpi::split(unit, ',');
    long long where = 0;
    if (fields.size() != 2 || !scpi::toLong(fields[0], &where) || where < 0 || where > 2
        || !scpi::unquote(fields[1], &name))
        return TS4720_ERROR_BAD_RESPONSE;
    // Where the instrument keeps it: 0 none, 1 RAM disk, 2 hard disk.
    session.loss.shadowLocation = where == 0 ? -1 : where == 1 ? ts4720_STORAGE_RAM : ts4720_STORAGE_HD;
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }),
               name.end());
    std::strncpy(session.loss.shadowFile, name.c_str(), TS4720_SHADOW_FILE_SIZE - 1);
    return worse(status, shadow);
}

ViStatus reconnectAcquisition(DriverSession &session, ViStatus cause,
                              const std::function<bool(int ms)> &waitForStop)
{
    ViUInt32 graceMs;
    {
        std::lock_guard<std::mutex> guard(session.lock);
        graceMs = session.graceMs;
    }
    if (graceMs == 0)
        return cause;
    const long long until = steadyMs() + graceMs;
    session.reconnectUntilMs = until;
    session.reconnecting = true;
    ViStatus result = cause;
    for (int pause = kFirstPauseMs;; pause = std::min(2 * pause, kLongestPauseMs)) {
        const long long left = until - steadyMs();
        if (left <= 0 || waitForStop(static_cast<int>(std::min<long long>(pause, left))))
            break;
        const ViStatus status = reattach(session);
        if (status >= 0 || status == TS4720_ERROR_ACQ_NOT_RUNNING || status == TS4720_ERROR_INV_SESSION) {
            result = status >= 0 ? VI_SUCCESS : status;
            break;
        }
    }
    session.reconnecting = false;
    return result;
}

void recordLoss(DriverSession &session, ViStatus cause, bool askInstrument)
{
    std::lock_guard<std::mutex> guard(session.lock);
    ts4720_acquisitionLoss &loss = session.loss;
    loss.cause = cause;
    if (askInstrument && askLost(session, &loss))
        return;
    loss.firstScan = session.nextScan;
    // The next scan was due one period after the last one delivered.
    const long long next = session.lastScanNs < 0 || session.layout.scanRate <= 0.0
                               ? 0
                               : session.lastScanNs + static_cast<long long>(1e9 / session.layout.scanRate + 0.5);
    setInstant(next, &loss.firstSeconds, &loss.firstNanoseconds);
    loss.lastScan = -1;
    setInstant(0, &loss.lastSeconds, &loss.lastNanoseconds);
}

} // namespace ts4720
