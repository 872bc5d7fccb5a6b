// Channel functions: state, thermocouple type, alerts, custom coefficients, one scan.
#include "ts4720.h"

#include "blockValues.h"
#include "callArguments.h"
#include "sessionCall.h"

#include <cmath>
#include <string>

using namespace ts4720;

namespace {
bool toFlag(const std::string &text, ViBoolean *flag)
{
    long long value = 0;
    if (!scpi::toLong(text, &value) || (value != 0 && value != 1))
        return false;
    *flag = value ? VI_TRUE : VI_FALSE;
    return true;
}

// Runs a channel query and splits its reply into `fields` values.
ViStatus channelQuery(ViSession vi, const std::string &message, size_t fields,
                      std::vector<std::string> *values)
{
    std::string unit;
    ViStatus status = sessionQuery(vi, message, &unit);
    if (status < 0)
        return status;
    *values = scpi::split(unit, ',');
    return values->size() == fields ? status : TS4720_ERROR_BAD_RESPONSE;
}
} // namespace

ViStatus ts4720_getChannelState(ViSession vi, ViInt16 channel, ViBoolean *enabled)
{
    if (!validChannel(channel))
        return TS4720_ERROR_INV_CHANNEL;
    if (enabled == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::string unit;
    ViStatus status = sessionQuery(vi, "CHAN:STAT? " + std::to_string(channel), &unit);
    if (status >= 0 && !toFlag(unit, enabled))
        return TS4720_ERROR_BAD_RESPONSE;
    return status;
}

ViStatus ts4720_setChannelState(ViSession vi, ViInt16 channel, ViBoolean enabled)
{
    if (!validChannel(channel))
        return TS4720_ERROR_INV_CHANNEL;
    return sessionCommand(vi, "CHAN:STAT " + std::to_string(channel) + (enabled ? ",1" : ",0"), true);
}

ViStatus ts4720_getChannelConfig(ViSession vi, ViInt16 channel, ViChar typeName[], ViBoolean *otd)
{
    if (!validChannel(channel))
        return TS4720_ERROR_INV_CHANNEL;
    if (typeName == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::vector<std::string> fields;
    ViStatus status = channelQuery(vi, "CHAN:CONF? " + std::to_string(channel), 2, &fields);
    if (status < 0)
        return status;
    std::string name;
    ViBoolean flag = VI_FALSE;
    if (!scpi::unquote(fields[0], &name) || !toFlag(fields[1], &flag))
        return TS4720_ERROR_BAD_RESPONSE;
    copyText(typeName, TS4720_TYPE_NAME_SIZE, name);
    if (otd != nullptr)
        *otd = flag;
    return status;
}

ViStatus ts4720_setChannelConfig(ViSession vi, ViInt16 channel, ViConstString typeName, ViBoolean otd)
{
    if (!validChannel(channel))
        return TS4720_ERROR_INV_CHANNEL;
    if (!validChannelType(typeName))
        return TS4720_ERROR_INV_TYPE_NAME;
    return sessionCommand(vi, "CHAN:CONF " + std::to_string(channel) + ",\"" + typeName + "\","
                              + (otd ? "1" : "0"));
}

ViStatus ts4720_getAlertConfig(ViSession vi, ViInt16 channel, ViBoolean *minOn, ViReal64 *min,
                               ViBoolean *maxOn, ViReal64 *max)
{
    if (!validChannel(channel))
        return TS4720_ERROR_INV_CHANNEL;
    if (minOn == nullptr || min == nullptr || maxOn == nullptr || max == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::vector<std::string> f;
    ViStatus status = channelQuery(vi, "CHAN:ALER? " + std::to_string(channel), 4, &f);
    if (status < 0)
        return status;
    ViBoolean lowOn, highOn;
    double low, high;
    // Limits the setter would refuse are no answer either.
    if (!toFlag(f[0], &lowOn) || !scpi::toFinite(f[1], &low) || !toFlag(f[2], &highOn)
        || !scpi::toFinite(f[3], &high))
        return TS4720_ERROR_BAD_RESPONSE;
    *minOn = lowOn;
    *min = low;
    *maxOn = highOn;
    *max = high;
    return status;
}

ViStatus ts4720_setAlertConfig(ViSession vi, ViInt16 channel, ViBoolean minOn, ViReal64 min,
                               ViBoolean maxOn, ViReal64 max)
{
    if (!validChannel(channel))
        return TS4720_ERROR_INV_CHANNEL;
    if (!std::isfinite(min) || !std::isfinite(max))
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "CHAN:ALER " + std::to_string(channel) + (minOn ? ",1," : ",0,")
                              + scpi::number(min) + (maxOn ? ",1," : ",0,") + scpi::number(max));
}

ViStatus ts4720_getCustomThermConfig(ViSession vi, ViConstString typeName, ViReal64 coefficients[],
                                     ViInt32 *count)
{
    if (!validCustomTypeName(typeName))
        return TS4720_ERROR_INV_TYPE_NAME;
    if (coefficients == nullptr || count == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::string unit;
    ViStatus status = sessionQuery(vi, std::string("THER:CUST? \"") + typeName + "\"", &unit);
    if (status < 0)
        return status;
    std::vector<std::string> fields = scpi::split(unit, ',');
    long long n = 0;
    if (!scpi::toLong(fields[0], &n) || n < 0 || static_cast<size_t>(n) + 1 != fields.size())
        return TS4720_ERROR_BAD_RESPONSE;
    double values[TS4720_N_USER_COEFFS];
    ViInt32 kept = n < TS4720_N_USER_COEFFS ? static_cast<ViInt32>(n) : TS4720_N_USER_COEFFS;
    for (ViInt32 i = 0; i < kept; ++i) {
        if (!scpi::toFinite(fields[static_cast<size_t>(i) + 1], &values[i]))
            return TS4720_ERROR_BAD_RESPONSE;
    }
    for (ViInt32 i = 0; i < kept; ++i)
        coefficients[i] = values[i];
    *count = kept;
    return status;
}

ViStatus ts4720_setCustomThermConfig(ViSession vi, ViConstString typeName,
                                     const ViReal64 coefficients[], ViInt16 count)
{
    if (!validCustomTypeName(typeName))
        return TS4720_ERROR_INV_TYPE_NAME;
    if (coefficients == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    if (count < 1 || count > TS4720_N_USER_COEFFS)
        return TS4720_ERROR_INV_PARAMETER;
    std::string message = std::string("THER:CUST \"") + typeName + "\"," + std::to_string(count);
    for (ViInt16 i = 0; i < count; ++i) {
        if (!std::isfinite(coefficients[i]))
            return TS4720_ERROR_INV_PARAMETER;
        message += "," + scpi::number(coefficients[i]);
    }
    return sessionCommand(vi, message);
}

ViStatus ts4720_acquireScan(ViSession vi, ViReal64 scan[])
{
    if (scan == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    // A value for every channel slot, or none: a missing one would read as "open".
    std::string bytes;
    const size_t size = TS4720_MAX_CHANNELS * 8;
    ViStatus status = call->queryBlock("MEAS:SCAN?", size, &bytes);
    if (status < 0)
        return status;
    if (bytes.size() != size)
        return TS4720_ERROR_BAD_RESPONSE;
    for (size_t i = 0; i < TS4720_MAX_CHANNELS; ++i)
        scan[i] = doubleAt(bytes, i * 8);
    return status;
}
