// Readers of the recorder's option values: channel lists, durations, PTP start times and
// whole numbers. Plain functions, independent of the process locale.
#ifndef TS4720_OPTIONVALUES_H
#define TS4720_OPTIONVALUES_H

#include <string>
#include <vector>

// "1-8,12" -> 1..8, 12: numbers and ascending ranges separated by commas, each channel
// from 1 to maxChannel; the result is sorted, every channel once. false with a reason.
bool parseChannelList(const std::string &text, int maxChannel, std::vector<int> *channels,
                      std::string *error);

// The inverse of parseChannelList: "1-8,12".
std::string channelListText(const std::vector<int> &channels);

// "90", "90s", "10m", "1.5h", "1h30m", "2d": a sum of numbers, each with an optional unit
// s, m, h or d (seconds without one). Positive and at most 100 years; false otherwise.
bool parseDuration(const std::string &text, double *seconds);

// "YYYY-MM-DDTHH:MM:SSZ" (UTC) -> seconds since 1970; false when it is not such a time
// or lies outside 1970..2106 (the instrument's 32-bit alarm seconds).
bool parseUtcTime(const std::string &text, long long *seconds);

// A whole decimal number from min to max, nothing else around it.
bool parseWholeNumber(const std::string &text, long long min, long long max, long long *value);

#endif
