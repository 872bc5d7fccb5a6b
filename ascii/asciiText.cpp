// ASCII-only text helpers; numbers through std::from_chars and std::to_chars, which never
// look at the locale.
#include "asciiText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ascii {

std::string upper(std::string text)
{
    for (char &c : text)
        c = toUpper(c);
    return text;
}

bool equalsIgnoringCase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (toUpper(a[i]) != toUpper(b[i]))
            return false;
    }
    return true;
}

std::string trimmed(const std::string &text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::vector<std::string> split(const std::string &text, char separator, char quote)
{
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (quote != 0 && c == quote)
            quoted = !quoted;
        if (c == separator && !quoted)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool toInteger(const std::string &text, long long *value)
{
    const std::string t = trimmed(text);
    const char *begin = t.data(), *end = t.data() + t.size();
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin; // from_chars takes '-' only
    long long v = 0;
    const auto result = std::from_chars(begin, end, v, 10);
    if (begin == end || result.ec != std::errc() || result.ptr != end)
        return false;
    *value = v;
    return true;
}

bool toReal(const std::string &text, double *value)
{
    const std::string t = upper(trimmed(text));
    if (t == "NAN" || t == "+NAN" || t == "-NAN") {
        *value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (t == "INF" || t == "+INF" || t == "-INF") {
        *value = t[0] == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return true;
    }
    const char *begin = t.data(), *end = t.data() + t.size();
    if (begin != end && *begin == '+')
        ++begin;
    // from_chars would also take "INFINITY", "NAN(...)" and hexadecimal forms after a sign.
    if (begin == end || !(isDigit(*begin) || *begin == '.' || (*begin == '-' && end - begin > 1
                                                               && (isDigit(begin[1]) || begin[1] == '.'))))
        return false;
    double v = 0;
    const auto result = std::from_chars(begin, end, v, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    *value = v;
    return true;
}

std::string formatReal(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

} // namespace ascii
