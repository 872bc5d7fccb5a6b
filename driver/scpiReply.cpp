// Reading and writing the texts of SCPI messages, whatever the process locale.
#include "scpiReply.h"

#include "asciiText.h"

#include <cmath>

namespace ts4720 {
namespace scpi {

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts = ascii::split(text, separator, '"');
    for (std::string &part : parts)
        part = ascii::trimmed(part);
    return parts;
}

bool toLong(const std::string &text, long long *value)
{
    return ascii::toInteger(text, value);
}

bool toDouble(const std::string &text, double *value)
{
    return ascii::toReal(text, value);
}

bool toFinite(const std::string &text, double *value)
{
    double v = 0;
    if (!ascii::toReal(text, &v) || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool unquote(const std::string &text, std::string *value)
{
    std::string t = ascii::trimmed(text);
    if (t.size() < 2 || t.front() != '"' || t.back() != '"')
        return false;
    std::string inner;
    for (size_t i = 1; i + 1 < t.size(); ++i) {
        inner += t[i];
        if (t[i] == '"' && i + 2 < t.size() && t[i + 1] == '"')
            ++i; // a doubled quote stands for one
    }
    *value = inner;
    return true;
}

bool parseErrorEntry(const std::string &text, ErrorEntry *entry)
{
    size_t comma = text.find(',');
    long long code = 0;
    if (comma == std::string::npos || !toLong(text.substr(0, comma), &code) || code < -0x7FFFFFFFLL
        || code > 0x7FFFFFFFLL)
        return false;
    std::string message;
    if (!unquote(text.substr(comma + 1), &message))
        message = ascii::trimmed(text.substr(comma + 1));
    entry->code = static_cast<int>(code);
    entry->text = message;
    return true;
}

std::string number(double value)
{
    return ascii::formatReal(value);
}

bool quote(const char *text, std::string *quoted)
{
    std::string result = "\"";
    for (const char *p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c < 0x20 || c == 0x7F)
            return false;
        result += *p;
    }
    result += '"';
    *quoted = result;
    return true;
}

} // namespace scpi
} // namespace ts4720
