// SCPI message parsing: units are separated by ';' outside quoted strings.
#include "scpiParser.h"

#include "asciiText.h"

#include <cmath>

namespace tssim {

namespace {

bool isHeaderChar(char c)
{
    return ascii::isAlnum(c) || c == '_' || c == ':' || c == '*' || c == '?';
}

ScpiUnit errorUnit(int code, const std::string &detail)
{
    ScpiUnit unit;
    unit.errorCode = code;
    unit.errorDetail = detail;
    return unit;
}

} // namespace

std::vector<ScpiUnit> ScpiParser::parse(const std::string &message)
{
    std::vector<ScpiUnit> units;
    std::string current;
    char quote = 0;
    for (char c : message) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            if (!ascii::trimmed(current).empty())
                units.push_back(parseUnit(current));
            current.clear();
            continue;
        }
        current += c;
    }
    if (!ascii::trimmed(current).empty())
        units.push_back(parseUnit(current));
    return units;
}

ScpiUnit ScpiParser::parseUnit(const std::string &raw)
{
    const std::string text = ascii::trimmed(raw);
    size_t end = 0;
    while (end < text.size() && !ascii::isSpace(text[end]))
        ++end;
    std::string header = text.substr(0, end);
    for (char c : header)
        if (!isHeaderChar(c))
            return errorUnit(-101, "Invalid character");
    ScpiUnit unit;
    if (!header.empty() && header[0] == ':') {
        unit.absolute = true;
        header.erase(0, 1);
    }
    if (!header.empty() && header.back() == '?') {
        unit.query = true;
        header.pop_back();
    }
    if (header.empty() || header.find('?') != std::string::npos)
        return errorUnit(-102, "Syntax error");
    unit.common = header[0] == '*';
    size_t start = 0;
    while (true) {
        const size_t colon = header.find(':', start);
        const std::string mnemonic = header.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (mnemonic.empty() || (mnemonic.find('*') != std::string::npos && (mnemonic[0] != '*' || start != 0)))
            return errorUnit(-102, "Syntax error");
        unit.mnemonics.push_back(ascii::upper(mnemonic));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    if (unit.common && unit.mnemonics.size() != 1)
        return errorUnit(-102, "Syntax error");
    if (!parseArguments(text.substr(end), &unit))
        return unit;
    return unit;
}

bool ScpiParser::parseArguments(const std::string &raw, ScpiUnit *unit)
{
    const std::string text = ascii::trimmed(raw);
    if (text.empty())
        return true;
    std::vector<std::string> parts(1);
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ',') {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    for (const std::string &part : parts) {
        ScpiArgument arg;
        const int code = quote ? -151 : parseArgument(ascii::trimmed(part), &arg);
        if (code != 0) {
            unit->errorCode = code;
            unit->errorDetail = code == -102 ? "Syntax error; empty parameter" : "Invalid string data";
            return false;
        }
        unit->arguments.push_back(arg);
    }
    return true;
}

int ScpiParser::parseArgument(const std::string &p, ScpiArgument *arg)
{
    if (p.empty())
        return -102;
    if (p[0] != '"' && p[0] != '\'') {
        arg->text = p;
        return 0;
    }
    const char q = p[0];
    if (p.size() < 2 || p.back() != q)
        return -151;
    arg->quoted = true;
    for (size_t i = 1; i + 1 < p.size(); ++i) {
        arg->text += p[i];
        if (p[i] != q)
            continue;
        // Inside a string the quote character appears doubled.
        if (i + 2 >= p.size() || p[i + 1] != q)
            return -151;
        ++i;
    }
    return 0;
}

bool ScpiParser::toDouble(const std::string &text, double *value)
{
    return ascii::toReal(text, value);
}

bool ScpiParser::toInteger(const std::string &text, long long *value)
{
    double d = 0;
    if (!toDouble(text, &d) || !std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.0e15)
        return false;
    *value = static_cast<long long>(d);
    return true;
}

bool ScpiParser::toBoolean(const std::string &text, bool *value)
{
    const std::string u = ascii::upper(text);
    if (u == "ON" || u == "1") {
        *value = true;
        return true;
    }
    if (u == "OFF" || u == "0") {
        *value = false;
        return true;
    }
    long long n = 0;
    if (toInteger(text, &n)) {
        *value = n != 0;
        return true;
    }
    return false;
}

} // namespace tssim
