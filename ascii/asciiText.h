// Text helpers that ignore the process locale: the toolkit sets it from the user's
// environment, and there isspace, toupper, strtod and printf("%g") change meaning (a decimal
// comma; in Turkish, 'i' does not turn into 'I'). Every number and keyword exchanged with an
// instrument goes through these.
#ifndef TS_ASCIITEXT_H
#define TS_ASCIITEXT_H

#include <string>
#include <vector>

namespace ascii {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isAlnum(char c) { return isDigit(c) || isAlpha(c); }
inline bool isLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline char toUpper(char c) { return isLower(c) ? char(c - 'a' + 'A') : c; }
inline char toLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string upper(std::string text);
bool equalsIgnoringCase(const std::string &a, const std::string &b);
// Without the blanks (space, tab, CR, LF, VT, FF) at both ends.
std::string trimmed(const std::string &text);
// The parts between separators, untrimmed; "" gives one empty part. With a quote
// character, separators between a pair of them do not split.
std::vector<std::string> split(const std::string &text, char separator, char quote = 0);

// Whole-text conversions: the text, without surrounding blanks, must be exactly one number,
// else false and *value unchanged. Integers: optional sign and decimal digits only
// ("12abc", "2.5E+01", "0x10" are refused). Reals: SCPI decimal numbers with an optional sign
// and exponent, and NAN, INF, -INF in any case.
bool toInteger(const std::string &text, long long *value);
bool toReal(const std::string &text, double *value);
// The shortest text that reads back as the same double, with '.' as the decimal point;
// "NAN", "INF", "-INF".
std::string formatReal(double value);

} // namespace ascii

#endif
