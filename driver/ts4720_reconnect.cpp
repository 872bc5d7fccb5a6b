// The reconnection of a running acquisition as callers see it: the grace period, the
// state while it lasts, and the scans a run could not deliver.
#include "ts4720_ext.h"

#include "driverSession.h"
#include "sessionRegistry.h"

#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

using namespace ts4720;

namespace {
// "2026-12-06 23:10:04.250000000 UTC"; the date only when it differs from `after`'s.
std::string instant(ViUInt32 seconds, ViUInt32 nanoseconds, const std::string &after = std::string())
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm = {};
    gmtime_r(&t, &tm);
    auto two = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    const std::string date = std::to_string(tm.tm_year + 1900) + "-" + two(tm.tm_mon + 1) + "-" + two(tm.tm_mday);
    std::string ns = std::to_string(nanoseconds);
    ns.insert(0, 9 - std::min<size_t>(9, ns.size()), '0');
    const std::string time = two(tm.tm_hour) + ":" + two(tm.tm_min) + ":" + two(tm.tm_sec) + "." + ns + " UTC";
    return after.compare(0, date.size(), date) == 0 ? time : date + " " + time;
}

std::string lossSentence(const ts4720_acquisitionLoss &loss)
{
    const bool firstKnown = loss.firstSeconds != 0 || loss.firstNanoseconds != 0;
    const std::string from = firstKnown ? instant(loss.firstSeconds, loss.firstNanoseconds) : std::string();
    std::string text;
    if (loss.lastScan >= 0) {
        text = "Scans " + std::to_string(loss.firstScan) + " to " + std::to_string(loss.lastScan);
        if (firstKnown)
            text += " (" + from + " to " + instant(loss.lastSeconds, loss.lastNanoseconds, from) + ")";
        text += " were lost";
    } else {
        text = "Scans from " + std::to_string(loss.firstScan) + (firstKnown ? " (" + from + ")" : "") + " on were lost";
    }
    if (loss.cause == TS4720_ERROR_ACQ_OVERFLOW)
        text += loss.lastScan >= 0 ? ": the instrument's scan memory was full."
                                   : ": the instrument stopped measuring when its scan memory was full.";
    else if (loss.cause == TS4720_ERROR_ACQ_NOT_RUNNING)
        text += ": after the reconnection the instrument no longer ran this acquisition.";
    else
        text += ": the connection to the instrument did not come back within the grace period;"
                " the instrument may still be measuring.";
    if (loss.shadowLocation >= 0)
        text += std::string(" The shadow copy \"") + loss.shadowFile + "\" on the "
                + (loss.shadowLocation == ts4720_STORAGE_RAM ? "RAM disk" : "hard disk") + " holds the complete run.";
    return text;
}

long long steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

ViStatus ts4720_setReconnectGracePeriod(ViSession vi, ViUInt32 seconds)
{
    if (seconds > 3600)
        return TS4720_ERROR_INV_PARAMETER;
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().find(vi);
    if (!session)
        return TS4720_ERROR_INV_SESSION;
    std::lock_guard<std::mutex> guard(session->lock);
    session->graceMs = seconds * 1000;
    return VI_SUCCESS;
}

ViStatus ts4720_getReconnectState(ViSession vi, ViBoolean *reconnecting, ViInt32 *secondsLeft)
{
    if (reconnecting == nullptr || secondsLeft == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    *reconnecting = VI_FALSE;
    *secondsLeft = 0;
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().find(vi);
    if (!session)
        return TS4720_ERROR_INV_SESSION;
    if (session->reconnecting) {
        const long long left = session->reconnectUntilMs - steadyMs();
        *reconnecting = VI_TRUE;
        *secondsLeft = left > 0 ? static_cast<ViInt32>((left + 999) / 1000) : 0;
    }
    return VI_SUCCESS;
}

ViStatus ts4720_getAcquisitionLoss(ViSession vi, ts4720_acquisitionLoss *loss)
{
    if (loss == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    *loss = DriverSession::emptyLoss();
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().find(vi);
    if (!session)
        return TS4720_ERROR_INV_SESSION;
    if (session->reconnecting)
        return VI_SUCCESS; // the run goes on: nothing is lost yet
    std::lock_guard<std::mutex> guard(session->lock);
    if (session->loss.cause != 0)
        *loss = session->loss;
    return VI_SUCCESS;
}

ViStatus ts4720_acquisitionLossText(const ts4720_acquisitionLoss *loss, ViChar text[])
{
    if (loss == nullptr || text == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    ts4720_acquisitionLoss copy = *loss;
    copy.shadowFile[TS4720_SHADOW_FILE_SIZE - 1] = '\0';
    const std::string sentence = copy.cause == 0 ? std::string() : lossSentence(copy);
    const size_t n = std::min(sentence.size(), size_t(TS4720_LOSS_TEXT_SIZE - 1));
    std::memcpy(text, sentence.data(), n);
    text[n] = '\0';
    return VI_SUCCESS;
}
