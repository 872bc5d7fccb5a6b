// IEEE 488.2 common commands, SYSTem and ATTRibute.
#include "instrumentCore.h"
#include "replyFormat.h"
#include "scpiSession.h"

#include "asciiText.h"
#include <cstdio>

namespace tssim {

namespace {

// The first three octets of the address plus ".1": the simulated network's router.
std::string routerOf(const std::string &address)
{
    const size_t dot = address.rfind('.');
    return dot == std::string::npos ? std::string("0.0.0.0") : address.substr(0, dot) + ".1";
}

std::string macOf(uint32_t serial)
{
    char text[32];
    std::snprintf(text, sizeof text, "02:7a:10:%02x:%02x:%02x", (serial >> 16) & 0xff, (serial >> 8) & 0xff,
                  serial & 0xff);
    return text;
}

// Text attributes; false for an id that is not one of them.
bool textAttribute(const InstrumentModel &m, long long id, std::string *value)
{
    switch (id) {
    case 272: *value = m.settings.description; return true;
    case 273: *value = m.settings.assetNumber; return true;
    // No name service here: the host name is what a browser reaches the status page by.
    case 274: *value = m.hostName; return true;
    case 275: *value = m.address; return true;
    case 276: *value = "255.0.0.0"; return true;
    case 277: *value = routerOf(m.address); return true;
    case 278: *value = routerOf(m.address); return true;
    case 279: *value = "0.0.0.0"; return true;
    case 280: *value = "A"; return true;
    case 281: *value = macOf(m.serialNumber); return true;
    case 291: *value = m.revision; return true;
    case 292: *value = m.subType; return true;
    default: return false;
    }
}

void attributeQuery(CommandContext &c)
{
    long long id = 0;
    if (!c.expectCount(1, 1) || !c.integer(0, 0, 0x7fffffff, &id))
        return;
    std::string text;
    if (textAttribute(c.model, id, &text))
        c.reply = quoted(text);
    else if (id == 293)
        c.reply = std::to_string(c.model.serialNumber);
    else if (id == 295)
        c.reply = std::to_string(c.model.settings.dataFormat);
    else if (id == 309)
        c.reply = std::to_string(c.model.settings.shadowCopy);
    else
        c.fail(-224, "unknown attribute " + std::to_string(id));
}

void attributeSet(CommandContext &c)
{
    long long id = 0;
    if (!c.expectCount(2, 2) || !c.integer(0, 0, 0x7fffffff, &id))
        return;
    if (id == 272 || id == 273) {
        std::string text;
        if (!c.string(1, &text))
            return;
        if (text.size() > 127) {
            c.fail(-223, "at most 127 characters");
            return;
        }
        (id == 272 ? c.model.settings.description : c.model.settings.assetNumber) = text;
        return;
    }
    if (id != 295 && id != 309) {
        std::string unused;
        c.fail(-224, textAttribute(c.model, id, &unused) || id == 293 ? "attribute is read-only"
                                                                      : "unknown attribute " + std::to_string(id));
        return;
    }
    long long value = 0;
    if (!c.integer(1, id == 295 ? 1 : 0, id == 295 ? 7 : 2, &value))
        return;
    if (c.model.acquisition.state() != AcquisitionEngine::Idle) {
        c.fail(-221, "acquisition running");
        return;
    }
    (id == 295 ? c.model.settings.dataFormat : c.model.settings.shadowCopy) = static_cast<int>(value);
}

void reset(CommandContext &c)
{
    if (!c.expectCount(0, 0))
        return;
    InstrumentSettings s = InstrumentSettings::factory(c.model.serialText);
    // The user thermocouple tables and the user-defined texts survive a reset.
    s.user[0] = c.model.settings.user[0];
    s.user[1] = c.model.settings.user[1];
    s.description = c.model.settings.description;
    s.assetNumber = c.model.settings.assetNumber;
    applySettings(c.model, s, c.nowNs);
    c.model.identify = false;
    c.model.alarmNs = 0;
}

void saveConfiguration(CommandContext &c)
{
    if (!c.expectCount(0, 0))
        return;
    if (!c.model.stateDir.empty() && !c.model.settings.save(c.model.configPath())) {
        c.fail(-250, "cannot write the configuration");
        return;
    }
    c.model.saved = c.model.settings;
    c.model.hasSaved = true;
}

void loadConfiguration(CommandContext &c)
{
    if (!c.expectCount(0, 1))
        return;
    bool factory = false;
    if (c.unit.arguments.size() == 1) {
        const std::string which = ascii::upper(c.unit.arguments[0].text);
        if (which != "FACT" && which != "FACTORY") {
            c.fail(-224, "FACTory or nothing expected");
            return;
        }
        factory = true;
    }
    if (c.model.acquisition.state() != AcquisitionEngine::Idle) {
        c.fail(-221, "acquisition running");
        return;
    }
    const InstrumentSettings s =
        factory || !c.model.hasSaved ? InstrumentSettings::factory(c.model.serialText) : c.model.saved;
    applySettings(c.model, s, c.nowNs);
}

} // namespace

void addSystemCommands(CommandTable &t)
{
    t.add("*IDN", true, [](CommandContext &c) {
        if (!c.expectCount(0, 0))
            return;
        c.reply = c.model.identity.empty()
                      ? "Tarsel Ltd.,Korvan 4720," + c.model.serialText + "," + c.model.revision
                      : c.model.identity;
    });
    t.add("*RST", false, reset);
    t.add("*CLS", false, [](CommandContext &c) { c.session.clear(); });
    t.add("*OPC", false, [](CommandContext &c) { c.session.setOperationComplete(); });
    t.add("*OPC", true, [](CommandContext &c) { c.reply = "1"; });
    t.add("*ESR", true, [](CommandContext &c) { c.reply = std::to_string(c.session.takeEventStatus()); });
    t.add("*STB", true, [](CommandContext &c) {
        c.reply = std::to_string((c.session.hasErrors() ? 4 : 0) | (c.session.eventStatus() ? 32 : 0));
    });
    t.add("SYSTem:ERRor", true, [](CommandContext &c) { c.reply = c.session.popError(); });
    t.add("SYSTem:ERRor:NEXT", true, [](CommandContext &c) { c.reply = c.session.popError(); });
    t.add("SYSTem:IDENtify", false, [](CommandContext &c) {
        bool on = false;
        if (c.expectCount(1, 1) && c.boolean(0, &on))
            c.model.identify = on;
    });
    t.add("SYSTem:IDENtify", true, [](CommandContext &c) { c.reply = c.model.identify ? "1" : "0"; });
    t.add("SYSTem:CONFiguration:SAVE", false, saveConfiguration);
    t.add("SYSTem:CONFiguration:LOAD", false, loadConfiguration);
    t.add("ATTRibute", true, attributeQuery);
    t.add("ATTRibute", false, attributeSet);
}

} // namespace tssim
