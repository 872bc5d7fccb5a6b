// Rear-panel trigger functions.
#include "ts4720.h"

#include "sessionCall.h"

#include <string>

using namespace ts4720;

namespace {
ViStatus queryNumber(ViSession vi, const std::string &message, long long low, long long high,
                     ViInt16 *value)
{
    std::string unit;
    ViStatus status = sessionQuery(vi, message, &unit);
    if (status < 0)
        return status;
    long long number = 0;
    if (!scpi::toLong(unit, &number) || number < low || number > high)
        return TS4720_ERROR_BAD_RESPONSE;
    *value = static_cast<ViInt16>(number);
    return status;
}

bool validOutput(ViInt16 output)
{
    return output == ts4720_TRIG_OUT_RP1 || output == ts4720_TRIG_OUT_RP2;
}

bool validLine(ViInt16 line)
{
    return line >= ts4720_TRIG_OUT_RP1_IN && line <= ts4720_TRIG_OUT_RP2_OUT;
}
} // namespace

ViStatus ts4720_getOutputTrigger(ViSession vi, ViInt16 output, ViInt16 *function)
{
    if (!validOutput(output))
        return TS4720_ERROR_INV_PARAMETER;
    if (function == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    return queryNumber(vi, "TRIG:OUTP:FUNC? " + std::to_string(output), 0, 4, function);
}

ViStatus ts4720_configureOutputTrigger(ViSession vi, ViInt16 output, ViInt16 function)
{
    if (!validOutput(output) || function < 0 || function > 4)
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "TRIG:OUTP:FUNC " + std::to_string(output) + "," + std::to_string(function));
}

ViStatus ts4720_getRPTrigger(ViSession vi, ViInt16 line, ViInt16 *activeState)
{
    if (!validLine(line))
        return TS4720_ERROR_INV_PARAMETER;
    if (activeState == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    return queryNumber(vi, "TRIG:LINE:STAT? " + std::to_string(line), 0, 1, activeState);
}

ViStatus ts4720_configureRPTrigger(ViSession vi, ViInt16 line, ViInt16 activeState)
{
    if (!validLine(line) || activeState < 0 || activeState > 1)
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "TRIG:LINE:STAT " + std::to_string(line) + "," + std::to_string(activeState));
}
