// The layout of an acquisition, read from the settings before ACQ:STARt and checked
// against ACQ:LAYout? after it. Reads never write more than this layout: a block that
// holds more is refused.
#include "acquisitionSetup.h"

#include "callArguments.h"
#include "driverSession.h"
#include "ts4720.h"

#include <cmath>

namespace ts4720 {

namespace {

int channelsOfModel(const std::string &subType)
{
    return subType == "AA" ? 16 : subType == "AB" ? 32 : subType == "AC" ? 48 : 0;
}

// The model's channel count, and the data format and mode the caller set.
ViStatus readSettings(DriverSession &session, int *channels, AcquisitionLayout *layout)
{
    std::vector<std::string> units;
    ViStatus status = session.query("ATTR? 292;:ATTR? 295;:ACQ:MODE?", 3, &units);
    if (status < 0)
        return status;
    std::string subType;
    long long format = 0, stamps = 0;
    std::vector<std::string> mode = scpi::split(units[2], ',');
    if (!scpi::unquote(units[0], &subType) || (*channels = channelsOfModel(subType)) == 0
        || !scpi::toLong(units[1], &format) || format < 1 || format > 7 || (format & 1) == 0
        || mode.size() != 6 || !scpi::toFinite(mode[1], &layout->scanRate) || !(layout->scanRate > 0.0)
        || !scpi::toLong(mode[5], &stamps) || (stamps != 0 && stamps != 1))
        return TS4720_ERROR_BAD_RESPONSE;
    layout->valuesPerChannel = 1 + ((format & 2) ? 1 : 0) + ((format & 4) ? 1 : 0);
    layout->timestamps = stamps != 0;
    return status;
}

// The numbers of the enabled channels, in order, in one message.
ViStatus readEnabledChannels(DriverSession &session, int channels, std::vector<long long> *enabled)
{
    std::string message;
    for (int ch = 1; ch <= channels; ++ch)
        message += (ch > 1 ? ";:CHAN:STAT? " : "CHAN:STAT? ") + std::to_string(ch);
    std::vector<std::string> units;
    ViStatus status = session.query(message, static_cast<size_t>(channels), &units);
    if (status < 0)
        return status;
    for (int ch = 1; ch <= channels; ++ch) {
        long long on = 0;
        if (!scpi::toLong(units[static_cast<size_t>(ch - 1)], &on) || (on != 0 && on != 1))
            return TS4720_ERROR_BAD_RESPONSE;
        if (on)
            enabled->push_back(ch);
    }
    return status;
}

// "<timestamps>,<values per channel>,<channels>,<channel numbers...>" says the same.
bool layoutAgrees(const std::string &unit, const AcquisitionLayout &layout, const std::vector<long long> &enabled)
{
    std::vector<std::string> fields = scpi::split(unit, ',');
    std::vector<long long> numbers;
    for (const std::string &field : fields) {
        long long n = 0;
        if (!scpi::toLong(field, &n))
            return false;
        numbers.push_back(n);
    }
    std::vector<long long> expected = {layout.timestamps ? 1 : 0, layout.valuesPerChannel,
                                       static_cast<long long>(enabled.size())};
    expected.insert(expected.end(), enabled.begin(), enabled.end());
    return numbers == expected;
}

} // namespace

ViStatus startWithFixedLayout(DriverSession &session)
{
    session.layout.valid = false;
    AcquisitionLayout layout;
    int channels = 0;
    std::vector<long long> enabled;
    ViStatus status = readSettings(session, &channels, &layout);
    if (status >= 0)
        status = worse(status, readEnabledChannels(session, channels, &enabled));
    if (status < 0)
        return status;
    layout.enabledChannels = static_cast<int>(enabled.size());
    std::string unit;
    ViStatus started = session.queryOne("ACQ:STAR;:ACQ:LAY?", &unit);
    if (started < 0)
        return started;
    if (!layoutAgrees(unit, layout, enabled)) {
        session.command("ACQ:STOP"); // its blocks would not be what the caller laid out
        return TS4720_ERROR_BAD_RESPONSE;
    }
    session.layout = layout;
    session.layout.valid = true;
    return worse(status, started);
}

} // namespace ts4720
