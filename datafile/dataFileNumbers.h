// Number texts of the data files, independent of the process locale: the toolkit sets the
// locale from the environment, and a decimal comma would break every row of a CSV file.
#ifndef TS4720_DATAFILENUMBERS_H
#define TS4720_DATAFILENUMBERS_H

#include <cstddef>
#include <cstdint>

// Longest text formatFixed6 writes ("-" + 309 digits + "." + 6 decimals), without a terminator.
constexpr std::size_t fixed6MaxLength = 320;

// Writes v exactly as printf("%lf") does in the C locale (six decimals, "-0.000000" for small
// negatives, "inf"/"-inf", "nan"/"-nan") and returns the end of the text. No terminator.
char *formatFixed6(char *out, double v);

// Writes v as printf("%d") would; returns the end. width > 0 pads with '0' like "%09d".
char *formatInt(char *out, long long v, int width = 0);

// Reads one value field [begin, end) as the data rows hold it: blanks around it are allowed,
// "nan" in any case (with a sign or "(...)" suffix) is not-a-number, "+1.5", "1e308" and "inf"
// are read as numbers. The whole field must be a number; otherwise returns false.
bool parseValueField(const char *begin, const char *end, double &value);

// Reads the value field that starts at p and ends at the next ',' or at stop, as
// parseValueField does; returns where the field ends.
const char *parseValueFieldAt(const char *p, const char *stop, double &value, bool &ok);

// atof/atoi-like: the longest number at the start of [begin, end) after blanks; 0 if none.
// Integers saturate at the limits of their type instead of wrapping.
double parseLeadingDouble(const char *begin, const char *end);
long long parseLeadingInt(const char *begin, const char *end, const char **stop = nullptr);
int clampToInt(long long v);

// Reads a timestamp field "seconds.fraction" as seconds + fraction (the fraction's digits
// taken as nanoseconds after scaling to nine digits, so "12.000500000" and "12.0005" agree).
bool parseTimestampField(const char *begin, const char *end, double &seconds);

#endif
