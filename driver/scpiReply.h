// Small helpers that split and read SCPI reply texts and build argument texts.
#ifndef TS4720_SCPIREPLY_H
#define TS4720_SCPIREPLY_H

#include <string>
#include <vector>

namespace ts4720 {

// One entry of the instrument's error queue.
struct ErrorEntry {
    int code = 0;
    std::string text;
};

namespace scpi {

// Splits at the separator outside double-quoted texts; surrounding blanks are trimmed.
std::vector<std::string> split(const std::string &text, char separator);

// Whole-text conversions, independent of the locale; false when the text is not exactly
// one such number ("12abc" and "2.5E+01" are no integers).
bool toLong(const std::string &text, long long *value);
bool toDouble(const std::string &text, double *value); // accepts NAN, INF, -INF
bool toFinite(const std::string &text, double *value); // refuses NAN and INF
// Removes the surrounding quotes and undoubles inner ones; false without quotes.
bool unquote(const std::string &text, std::string *value);

// "<code>,\"<text>\"" of SYSTem:ERRor?.
bool parseErrorEntry(const std::string &text, ErrorEntry *entry);

// A double written so that it reads back exactly, '.' as decimal point; NaN becomes NAN.
std::string number(double value);
// A quoted text; false when it holds a quote or a control character, which the
// instrument's parser cannot carry inside a text argument.
bool quote(const char *text, std::string *quoted);

} // namespace scpi
} // namespace ts4720

#endif
