// How much room a data file needs and how much its disk has, for the checks before a run.
#ifndef TS4720_DATAFILESPACE_H
#define TS4720_DATAFILESPACE_H

#include <string>

struct dataFileColumns;

// The most one data row takes for values from -9999.999999 to 99999.999999 (°C or mV; far
// beyond what a thermocouple input gives; "nan" for an open one is shorter) and any 32-bit
// timestamp.
long long rowBytesAtMost(const dataFileColumns &columns);

// Bytes free on the disk that holds path (a file there or to be made there); -1 when that
// cannot be told.
long long freeBytesOn(const std::string &path);

#endif
