// Locale-independent number texts for the data files.
#include "dataFileNumbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

const double powersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

char *writeDigits(char *out, unsigned long long v)
{
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    while (n)
        *out++ = tmp[--n];
    return out;
}

// "nan", "-nan", "NaN(123)": anything that printf or strtod call not-a-number.
bool isNanText(const char *p, const char *end)
{
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    if (end - p < 3 || lower(p[0]) != 'n' || lower(p[1]) != 'a' || lower(p[2]) != 'n')
        return false;
    p += 3;
    return p == end || *p == '(';
}

// from_chars leaves the value alone when it is out of range; strtod gives +-inf or +-0 then.
double outOfRangeValue(const char *p, const char *end)
{
    bool negative = *p == '-';
    long long exponent = 0, firstDigit = 0;
    bool seenPoint = false, seenNonZero = false;
    for (; p < end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.')
            seenPoint = true;
        else if (isDigit(*p) && !seenNonZero) {
            if (*p != '0')
                seenNonZero = true;
            else if (seenPoint)
                --firstDigit;
        } else if (isDigit(*p) && !seenPoint)
            ++firstDigit;
    }
    if (p < end) {
        exponent = parseLeadingInt(p + 1, end);
        exponent = exponent > 100000 ? 100000 : exponent < -100000 ? -100000 : exponent;
    }
    double magnitude = (firstDigit + exponent > 0) ? HUGE_VAL : 0.0;
    return negative ? -magnitude : magnitude;
}

} // namespace

char *formatFixed6(char *out, double v)
{
    // std::to_chars rounds from the exact binary value, as glibc's printf does, and writes
    // "inf", "-inf", "nan" and "-nan" the same way too.
    return std::to_chars(out, out + fixed6MaxLength, v, std::chars_format::fixed, 6).ptr;
}

char *formatInt(char *out, long long v, int width)
{
    char digits[24];
    char *end = writeDigits(digits, v < 0 ? 0ULL - (unsigned long long)v : (unsigned long long)v);
    int length = int(end - digits) + (v < 0);
    if (v < 0)
        *out++ = '-';
    for (; length < width; ++length)
        *out++ = '0';
    std::memcpy(out, digits, size_t(end - digits));
    return out + (end - digits);
}

bool parseValueField(const char *begin, const char *end, double &value)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    if (begin == end)
        return false;
    if (isNanText(begin, end)) {
        value = NAN;
        return true;
    }
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    double parsed = 0;
    auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ptr != end)
        return false;
    value = result.ec == std::errc::result_out_of_range ? outOfRangeValue(begin, end) : parsed;
    return result.ec == std::errc() || result.ec == std::errc::result_out_of_range;
}

const char *parseValueFieldAt(const char *p, const char *stop, double &value, bool &ok)
{
    // One pass over "[-]digits[.digits]" as the writer writes it; anything else goes the long
    // way. With at most 15 digits the text is one exact integer over an exact power of ten,
    // which IEEE division rounds correctly, i.e. exactly as std::from_chars would.
    const char *q = p;
    const bool negative = q < stop && *q == '-';
    q += negative;
    unsigned long long mantissa = 0;
    int digits = 0, decimals = 0;
    for (; q < stop && isDigit(*q); ++q, ++digits)
        mantissa = mantissa * 10 + unsigned(*q - '0');
    if (q < stop && *q == '.') {
        ++q;
        for (; q < stop && isDigit(*q); ++q, ++digits, ++decimals)
            mantissa = mantissa * 10 + unsigned(*q - '0');
    }
    if ((q == stop || *q == ',') && digits > 0 && digits <= 15) {
        value = double(mantissa) / powersOfTen[decimals];
        value = negative ? -value : value;
        ok = true;
        return q;
    }
    while (q < stop && *q != ',')
        ++q;
    ok = parseValueField(p, q, value);
    return q;
}

double parseLeadingDouble(const char *begin, const char *end)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    if (begin < end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    double parsed = 0;
    auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        return outOfRangeValue(begin, result.ptr);
    return result.ec == std::errc() ? parsed : 0.0;
}

long long parseLeadingInt(const char *begin, const char *end, const char **stop)
{
    const char *p = begin;
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    const char *digits = p;
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? 0ULL - (unsigned long long)LLONG_MIN : LLONG_MAX;
    for (; p < end && isDigit(*p); ++p) {
        unsigned d = unsigned(*p - '0');
        magnitude = magnitude > (limit - d) / 10 ? limit : magnitude * 10 + d;
    }
    if (stop)
        *stop = p == digits ? begin : p;
    if (p == digits)
        return 0;
    return negative ? (long long)(0ULL - magnitude) : (long long)magnitude;
}

int clampToInt(long long v)
{
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

bool parseTimestampField(const char *begin, const char *end, double &seconds)
{
    const char *p = begin;
    long long whole = parseLeadingInt(begin, end, &p);
    if (p == begin)
        return false;
    long long nanoseconds = 0;
    if (p < end && *p == '.') {
        int digits = 0;
        for (++p; p < end && isDigit(*p); ++p)
            if (digits < 9) {
                nanoseconds = nanoseconds * 10 + (*p - '0');
                ++digits;
            }
        for (; digits < 9; ++digits)
            nanoseconds *= 10;
    }
    while (p < end && isBlank(*p))
        ++p;
    if (p != end)
        return false;
    seconds = double(whole) + double(nanoseconds) / 1e9;
    return true;
}
