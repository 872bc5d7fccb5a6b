// Identity, network settings and the present channel temperatures as one small page.
#include "webStatusPage.h"

#include "instrumentModel.h"
#include "thermocouple.h"

#include <cmath>
#include <charconv>

namespace tssim {

namespace {

std::string escaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string row(const std::string &label, const std::string &value)
{
    return "<tr><th>" + label + "</th><td>" + escaped(value) + "</td></tr>\n";
}

} // namespace

std::string WebStatusPage::html(const InstrumentModel &m, long long nowNs)
{
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"iso-8859-1\">"
                       "<meta http-equiv=\"refresh\" content=\"5\"><title>Korvan 4720-" + m.subType +
                       "</title></head><body>\n<h1>Tarsel Ltd. Korvan 4720-" + m.subType + "</h1>\n<table>\n";
    page += row("Serial Number", m.serialText);
    page += row("Revision", m.revision);
    page += row("LXI Class", "A");
    page += row("Description", m.settings.description);
    page += row("Asset Number", m.settings.assetNumber);
    page += row("IP Address", m.address);
    page += row("Subnet Mask", "255.0.0.0");
    page += row("Acquisition", m.acquisition.state() == 0 ? "idle" : m.acquisition.state() == 1 ? "armed" : "running");
    page += "</table>\n<h2>Channels</h2>\n<table>\n<tr><th>Channel</th><th>Type</th><th>State</th><th>Temperature</th></tr>\n";
    for (int i = 0; i < m.channelCount; ++i) {
        const ChannelSettings &c = m.settings.channels[i];
        const double t = m.reading(i, nowNs).temperature;
        // Two decimals with '.' whatever the locale.
        char digits[64];
        const std::string value = std::isnan(t) ? std::string("open")
            : std::string(digits, std::to_chars(digits, digits + sizeof digits, t, std::chars_format::fixed, 2).ptr)
                + " &deg;C";
        page += "<tr><td>" + std::to_string(i + 1) + "</td><td>" + thermocoupleTypeName(c.type) + "</td><td>" +
                (c.enabled ? "on" : "off") + "</td><td>" + value + "</td></tr>\n";
    }
    return page + "</table>\n</body></html>\n";
}

} // namespace tssim
