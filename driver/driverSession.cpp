// SCPI exchanges of one session with the instrument's error queue folded into the status.
#include "driverSession.h"

#include "callArguments.h"
#include "ts4720.h"

namespace ts4720 {

namespace {
const int kMaxQueuedErrors = 32; // the queue holds at most this many entries to drain
}

ts4720_acquisitionLoss DriverSession::emptyLoss()
{
    ts4720_acquisitionLoss loss = {};
    loss.shadowLocation = -1;
    return loss;
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
    link.beginExchange();
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

ViStatus DriverSession::queryBlock(const std::string &message, size_t maxLength,
                                   const ScpiLink::BlockSink &sink)
{
    link.beginExchange();
    ViStatus status = link.queryBlock(message, maxLength, sink);
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

ViStatus DriverSession::queryBlock(const std::string &message, size_t maxLength, std::string *bytes)
{
    bytes->clear();
    return queryBlock(message, maxLength, [bytes](const char *data, size_t size) {
        bytes->append(data, size);
        return true;
    });
}

} // namespace ts4720
