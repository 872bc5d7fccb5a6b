// CHANnel, THERmocouple and MEASure: channel configuration and the present scan.
#include "instrumentCore.h"
#include "replyFormat.h"
#include "thermocouple.h"

#include <cmath>

namespace tssim {

namespace {

// Channel settings change only while no acquisition runs (its layout is fixed at start).
bool idle(CommandContext &c)
{
    if (c.model.acquisition.state() == AcquisitionEngine::Idle)
        return true;
    c.fail(-221, "acquisition running");
    return false;
}

void setState(CommandContext &c)
{
    int ch = 0;
    bool on = false;
    if (c.expectCount(2, 2) && c.channel(0, &ch) && c.boolean(1, &on) && idle(c))
        c.model.settings.channels[ch - 1].enabled = on;
}

void setConfig(CommandContext &c)
{
    int ch = 0;
    std::string name;
    bool otd = false;
    if (!c.expectCount(3, 3) || !c.channel(0, &ch) || !c.string(1, &name) || !c.boolean(2, &otd))
        return;
    const int type = thermocoupleTypeIndex(name);
    if (type < 0) {
        c.fail(-224, "unknown thermocouple type");
        return;
    }
    if (!idle(c))
        return;
    c.model.settings.channels[ch - 1].type = type;
    c.model.settings.channels[ch - 1].otd = otd;
}

void setAlert(CommandContext &c)
{
    int ch = 0;
    bool minOn = false, maxOn = false;
    double min = 0, max = 0;
    if (!c.expectCount(5, 5) || !c.channel(0, &ch) || !c.boolean(1, &minOn) || !c.real(2, -1000.0, 3000.0, &min) ||
        !c.boolean(3, &maxOn) || !c.real(4, -1000.0, 3000.0, &max) || !idle(c))
        return;
    ChannelSettings &s = c.model.settings.channels[ch - 1];
    s.minOn = minOn;
    s.min = min;
    s.maxOn = maxOn;
    s.max = max;
}

// "User 1"/"WebInterface_UA" name table 0, "User 2"/"WebInterface_UB" table 1; else -1.
int userTable(const std::string &name)
{
    if (name == "WebInterface_UA")
        return 0;
    if (name == "WebInterface_UB")
        return 1;
    const int type = thermocoupleTypeIndex(name);
    return type == TcUser1 ? 0 : type == TcUser2 ? 1 : -1;
}

void setCustom(CommandContext &c)
{
    std::string name;
    long long n = 0;
    if (!c.expectCount(3, 2 + UserCoefficients) || !c.string(0, &name) || !c.integer(1, 1, UserCoefficients, &n))
        return;
    const int table = userTable(name);
    if (table < 0) {
        c.fail(-224, "not a user thermocouple type");
        return;
    }
    if (c.unit.arguments.size() != static_cast<size_t>(2 + n)) {
        c.fail(c.unit.arguments.size() < static_cast<size_t>(2 + n) ? -109 : -108, "count and coefficients differ");
        return;
    }
    std::vector<double> values(static_cast<size_t>(n));
    for (long long k = 0; k < n; ++k)
        if (!c.real(static_cast<size_t>(2 + k), -1e300, 1e300, &values[static_cast<size_t>(k)]))
            return;
    if (idle(c))
        c.model.settings.user[table] = values;
}

void queryCustom(CommandContext &c)
{
    std::string name;
    if (!c.expectCount(1, 1) || !c.string(0, &name))
        return;
    const int table = userTable(name);
    if (table < 0) {
        c.fail(-224, "not a user thermocouple type");
        return;
    }
    const std::vector<double> &values = c.model.settings.user[table];
    c.reply = std::to_string(values.size());
    for (double v : values)
        c.reply += "," + formatReal(v);
}

void scan(CommandContext &c)
{
    if (!c.expectCount(0, 0))
        return;
    std::string bytes;
    for (int i = 0; i < MaxChannels; ++i)
        appendLittleEndian(&bytes, i < c.model.channelCount ? c.model.reading(i, c.nowNs).temperature : std::nan(""));
    c.reply = definiteBlock(bytes);
}

} // namespace

void addChannelCommands(CommandTable &t)
{
    t.add("CHANnel:STATe", false, setState);
    t.add("CHANnel:STATe", true, [](CommandContext &c) {
        int ch = 0;
        if (c.expectCount(1, 1) && c.channel(0, &ch))
            c.reply = c.model.settings.channels[ch - 1].enabled ? "1" : "0";
    });
    t.add("CHANnel:CONFig", false, setConfig);
    t.add("CHANnel:CONFig", true, [](CommandContext &c) {
        int ch = 0;
        if (!c.expectCount(1, 1) || !c.channel(0, &ch))
            return;
        const ChannelSettings &s = c.model.settings.channels[ch - 1];
        c.reply = quoted(thermocoupleTypeName(s.type)) + (s.otd ? ",1" : ",0");
    });
    t.add("CHANnel:ALERt", false, setAlert);
    t.add("CHANnel:ALERt", true, [](CommandContext &c) {
        int ch = 0;
        if (!c.expectCount(1, 1) || !c.channel(0, &ch))
            return;
        const ChannelSettings &s = c.model.settings.channels[ch - 1];
        c.reply = std::string(s.minOn ? "1," : "0,") + formatReal(s.min) + (s.maxOn ? ",1," : ",0,") + formatReal(s.max);
    });
    t.add("THERmocouple:CUSTom", false, setCustom);
    t.add("THERmocouple:CUSTom", true, queryCustom);
    t.add("MEASure:SCAN", true, scan, true);
}

} // namespace tssim
