// Readers of the recorder's option values.
#include "optionValues.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int daysInMonth(long long y, long long m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

// Exactly `digits` decimal digits at text[pos].
bool fixedDigits(const std::string &text, size_t pos, int digits, long long *value)
{
    if (pos + size_t(digits) > text.size())
        return false;
    *value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = text[pos + size_t(i)];
        if (!isDigit(c))
            return false;
        *value = *value * 10 + (c - '0');
    }
    return true;
}

double unitSeconds(char unit)
{
    switch (unit) {
    case 's': return 1.0;
    case 'm': return 60.0;
    case 'h': return 3600.0;
    case 'd': return 86400.0;
    default: return 0.0;
    }
}

} // namespace

bool parseWholeNumber(const std::string &text, long long min, long long max, long long *value)
{
    long long v = 0;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, v);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || v < min || v > max)
        return false;
    *value = v;
    return true;
}

bool parseChannelList(const std::string &text, int maxChannel, std::vector<int> *channels,
                      std::string *error)
{
    std::set<int> chosen;
    size_t pos = 0;
    do {
        const size_t comma = std::min(text.find(',', pos), text.size());
        const std::string item = text.substr(pos, comma - pos);
        const size_t dash = item.find('-');
        long long first = 0, last = 0;
        const bool ok = dash == std::string::npos
                            ? parseWholeNumber(item, 1, maxChannel, &first) && (last = first, true)
                            : parseWholeNumber(item.substr(0, dash), 1, maxChannel, &first)
                                  && parseWholeNumber(item.substr(dash + 1), 1, maxChannel, &last);
        if (!ok || first > last) {
            *error = "'" + item + "' is not a channel or an ascending range of channels 1.."
                     + std::to_string(maxChannel);
            return false;
        }
        for (long long c = first; c <= last; ++c)
            chosen.insert(int(c));
        pos = comma + 1;
    } while (pos <= text.size());
    channels->assign(chosen.begin(), chosen.end());
    return true;
}

std::string channelListText(const std::vector<int> &channels)
{
    std::string text;
    for (size_t i = 0; i < channels.size();) {
        size_t j = i;
        while (j + 1 < channels.size() && channels[j + 1] == channels[j] + 1)
            ++j;
        text += (text.empty() ? "" : ",") + std::to_string(channels[i]);
        if (j > i)
            text += "-" + std::to_string(channels[j]);
        i = j + 1;
    }
    return text;
}

bool parseDuration(const std::string &text, double *seconds)
{
    double total = 0.0;
    const char *p = text.data();
    const char *end = p + text.size();
    if (p == end)
        return false;
    while (p != end) {
        double number = 0.0;
        // Only plain decimals: no sign, exponent, "inf" or "nan".
        if (!isDigit(*p))
            return false;
        const auto result = std::from_chars(p, end, number, std::chars_format::fixed);
        if (result.ec != std::errc())
            return false;
        p = result.ptr;
        double unit = 1.0;
        if (p != end) {
            unit = unitSeconds(*p++);
            if (unit == 0.0)
                return false;
        } else if (total > 0.0) {
            return false; // "1h30": a bare number only on its own
        }
        total += number * unit;
    }
    if (!(total > 0.0) || total > 100.0 * 365.25 * 86400.0)
        return false;
    *seconds = total;
    return true;
}

bool parseUtcTime(const std::string &text, long long *seconds)
{
    long long y, mo, d, h, mi, s;
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':'
        || text[16] != ':' || text[19] != 'Z' || !fixedDigits(text, 0, 4, &y)
        || !fixedDigits(text, 5, 2, &mo) || !fixedDigits(text, 8, 2, &d)
        || !fixedDigits(text, 11, 2, &h) || !fixedDigits(text, 14, 2, &mi)
        || !fixedDigits(text, 17, 2, &s))
        return false;
    if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h > 23 || mi > 59 || s > 59)
        return false;
    const long long t = daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
    if (t < 0 || t > 0xFFFFFFFFLL)
        return false;
    *seconds = t;
    return true;
}
