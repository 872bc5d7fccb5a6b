// SCPI exchanges of one session with the instrument's error queue folded into the status.
#include "driverSession.h"

#include "callArguments.h"
#include "ts4720.h"

namespace ts4720 {

namespace {
const int kMaxQueuedErrors = 32; // the queue holds at most this many entries to drain
}

ViStatus DriverSession::takeEntry(const ErrorEntry &entry)
{
    if (entry.code == 0)
        return VI_SUCCESS;
    lastEntry = entry;
    // Later entries belong to the same message; drop them so they cannot be blamed
    // on the next call.
    for (int i = 0; i < kMaxQueuedErrors; ++i) {
        std::string line;
        ErrorEntry next;
        if (link.query("SYST:ERR?", &line) < 0 || !scpi::parseErrorEntry(line, &next) || next.code == 0)
            break;
    }
    return entry.code < 0 ? TS4720_ERROR_INSTRUMENT : TS4720_WARN_INSTRUMENT;
}

ViStatus DriverSession::exchange(const std::string &message, std::vector<std::string> *units)
{
    std::string line;
    ViStatus status = link.query(message + ";:SYST:ERR?", &line);
    if (status < 0)
        return status;
    *units = scpi::split(line, ';');
    ErrorEntry entry;
    if (!scpi::parseErrorEntry(units->back(), &entry))
        return TS4720_ERROR_BAD_RESPONSE;
    units->pop_back();
    return takeEntry(entry);
}

ViStatus DriverSession::command(const std::string &message)
{
    std::vector<std::string> units;
    return exchange(message, &units);
}

ViStatus DriverSession::query(const std::string &message, size_t expected,
                              std::vector<std::string> *units)
{
    ViStatus status = exchange(message, units);
    if (status < 0)
        return status;
    if (units->size() != expected)
        return TS4720_ERROR_BAD_RESPONSE;
    return status;
}

ViStatus DriverSession::queryOne(const std::string &message, std::string *unit)
{
    std::vector<std::string> units;
    ViStatus status = query(message, 1, &units);
    if (status >= 0)
        *unit = units[0];
    return status;
}

ViStatus DriverSession::queryBlock(const std::string &message, std::string *bytes)
{
    ViStatus status = link.queryBlock(message, bytes);
    if (status < 0)
        return status;
    std::string line;
    ErrorEntry entry;
    status = link.query("SYST:ERR?", &line);
    if (status < 0)
        return status;
    if (!scpi::parseErrorEntry(line, &entry))
        return TS4720_ERROR_BAD_RESPONSE;
    return takeEntry(entry);
}

} // namespace ts4720

namespace ts4720 {

namespace {
int channelsOfModel(const std::string &subType)
{
    if (subType == "AA")
        return 16;
    if (subType == "AB")
        return 32;
    return 48;
}
} // namespace

ViStatus DriverSession::readLayout()
{
    layout.valid = false;
    std::vector<std::string> units;
    ViStatus status = query("ATTR? 295;ATTR? 292;ACQ:MODE?", 3, &units);
    if (status < 0)
        return status;
    long long format = 0, stamps = 0;
    std::string subType;
    std::vector<std::string> mode = scpi::split(units[2], ',');
    if (!scpi::toLong(units[0], &format) || !scpi::unquote(units[1], &subType) || mode.size() != 6
        || !scpi::toDouble(mode[1], &layout.scanRate) || !scpi::toLong(mode[5], &stamps))
        return TS4720_ERROR_BAD_RESPONSE;
    layout.valuesPerChannel = 1 + ((format & 2) ? 1 : 0) + ((format & 4) ? 1 : 0);
    layout.timestamps = stamps != 0;

    const int channels = channelsOfModel(subType);
    std::string message;
    for (int ch = 1; ch <= channels; ++ch)
        message += (ch > 1 ? ";CHAN:STAT? " : "CHAN:STAT? ") + std::to_string(ch);
    ViStatus states = query(message, static_cast<size_t>(channels), &units);
    if (states < 0)
        return states;
    layout.enabledChannels = 0;
    for (const std::string &unit : units) {
        if (unit == "1")
            ++layout.enabledChannels;
    }
    layout.valid = true;
    return worse(status, states);
}

} // namespace ts4720
