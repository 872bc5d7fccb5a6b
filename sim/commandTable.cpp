// Header matching and argument checks shared by all command handlers.
#include "commandTable.h"

#include "instrumentModel.h"
#include "scpiSession.h"

#include "asciiText.h"
#include <cmath>

namespace tssim {

CommandContext::CommandContext(InstrumentModel &m, ScpiSession &s, const ScpiUnit &u, long long now)
    : model(m), session(s), unit(u), nowNs(now)
{
}

void CommandContext::fail(int code, const std::string &detail)
{
    std::string text = ScpiSession::standardText(code);
    if (!detail.empty())
        text += "; " + detail;
    session.pushError(code, text);
    failed = true;
}

bool CommandContext::expectCount(size_t minimum, size_t maximum)
{
    const size_t n = unit.arguments.size();
    if (n < minimum) {
        fail(-109);
        return false;
    }
    if (n > maximum) {
        fail(-108);
        return false;
    }
    return true;
}

bool CommandContext::integer(size_t index, long long minimum, long long maximum, long long *value)
{
    if (index >= unit.arguments.size()) {
        fail(-109);
        return false;
    }
    long long v = 0;
    if (unit.arguments[index].quoted || !ScpiParser::toInteger(unit.arguments[index].text, &v)) {
        fail(-104, "integer expected");
        return false;
    }
    if (v < minimum || v > maximum) {
        fail(-222, std::to_string(v) + " outside " + std::to_string(minimum) + ".." + std::to_string(maximum));
        return false;
    }
    *value = v;
    return true;
}

bool CommandContext::real(size_t index, double minimum, double maximum, double *value)
{
    if (index >= unit.arguments.size()) {
        fail(-109);
        return false;
    }
    double v = 0;
    if (unit.arguments[index].quoted || !ScpiParser::toDouble(unit.arguments[index].text, &v)) {
        fail(-104, "number expected");
        return false;
    }
    if (std::isnan(v) || v < minimum || v > maximum) {
        fail(-222, unit.arguments[index].text);
        return false;
    }
    *value = v;
    return true;
}

bool CommandContext::boolean(size_t index, bool *value)
{
    if (index >= unit.arguments.size()) {
        fail(-109);
        return false;
    }
    if (unit.arguments[index].quoted || !ScpiParser::toBoolean(unit.arguments[index].text, value)) {
        fail(-104, "boolean expected");
        return false;
    }
    return true;
}

bool CommandContext::string(size_t index, std::string *value)
{
    if (index >= unit.arguments.size()) {
        fail(-109);
        return false;
    }
    *value = unit.arguments[index].text;
    return true;
}

bool CommandContext::channel(size_t index, int *number)
{
    long long v = 0;
    if (!integer(index, 1, model.channelCount, &v))
        return false;
    *number = static_cast<int>(v);
    return true;
}

void CommandTable::add(const char *pattern, bool query, Handler handler, bool block)
{
    Entry entry;
    entry.query = query;
    entry.block = block;
    entry.handler = std::move(handler);
    const std::string p = pattern;
    size_t start = 0;
    while (start <= p.size()) {
        const size_t colon = p.find(':', start);
        const std::string node = p.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        std::string shortForm, longForm;
        for (char c : node) {
            if (!ascii::isLower(c))
                shortForm += c;
            longForm += ascii::toUpper(c);
        }
        entry.shortForms.push_back(shortForm);
        entry.longForms.push_back(longForm);
        entry.name += (entry.name.empty() ? "" : ":") + shortForm;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    if (query)
        entry.name += "?";
    m_entries.push_back(std::move(entry));
}

const CommandTable::Entry *CommandTable::match(const std::vector<std::string> &mnemonics, bool query) const
{
    for (const Entry &e : m_entries) {
        if (e.query != query || e.shortForms.size() != mnemonics.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < mnemonics.size() && same; ++i)
            same = mnemonics[i] == e.shortForms[i] || mnemonics[i] == e.longForms[i];
        if (same)
            return &e;
    }
    return nullptr;
}

const CommandTable::Entry *CommandTable::find(const std::vector<std::string> &path,
                                              const std::vector<std::string> &mnemonics, bool query) const
{
    if (!path.empty()) {
        std::vector<std::string> full = path;
        full.insert(full.end(), mnemonics.begin(), mnemonics.end());
        if (const Entry *e = match(full, query))
            return e;
    }
    // A unit without a leading ':' that does not fit the current path is taken from the root:
    // lenient, and what a client that forgot the ':' means.
    return match(mnemonics, query);
}

std::string CommandTable::canonicalName(const std::string &header) const
{
    const std::vector<ScpiUnit> units = ScpiParser::parse(header);
    if (units.size() != 1 || units[0].errorCode != 0)
        return std::string();
    const Entry *e = match(units[0].mnemonics, units[0].query);
    if (!e && !units[0].query) {
        // A name without '?' may name a query-only command (e.g. "MEAS:SCAN").
        e = match(units[0].mnemonics, true);
        if (e)
            return e->name.substr(0, e->name.size() - 1);
    }
    return e ? e->name : std::string();
}

} // namespace tssim
