// Reading and writing the texts of SCPI messages.
#include "scpiReply.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ts4720 {
namespace scpi {

static std::string trimmed(const std::string &text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string current;
    bool inQuotes = false;
    for (char c : text) {
        if (c == '"')
            inQuotes = !inQuotes;
        if (c == separator && !inQuotes) {
            parts.push_back(trimmed(current));
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(trimmed(current));
    return parts;
}

bool toLong(const std::string &text, long long *value)
{
    std::string t = trimmed(text);
    if (t.empty())
        return false;
    char *end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    *value = v;
    return true;
}

bool toDouble(const std::string &text, double *value)
{
    std::string t = trimmed(text);
    if (t.empty())
        return false;
    if (t.size() == 3 && (t[0] | 0x20) == 'n' && (t[1] | 0x20) == 'a' && (t[2] | 0x20) == 'n') {
        *value = std::nan("");
        return true;
    }
    char *end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (*end != '\0')
        return false;
    *value = v;
    return true;
}

bool unquote(const std::string &text, std::string *value)
{
    std::string t = trimmed(text);
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
    if (comma == std::string::npos || !toLong(text.substr(0, comma), &code))
        return false;
    std::string message;
    if (!unquote(text.substr(comma + 1), &message))
        message = trimmed(text.substr(comma + 1));
    entry->code = static_cast<int>(code);
    entry->text = message;
    return true;
}

std::string number(double value)
{
    if (std::isnan(value))
        return "NAN";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
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
