// Up-front checks of the output file: it must not exist (unless replaced), its folder must,
// and a run of a fixed length must fit on the disk.
#ifndef TS4720_OUTPUTCHECKS_H
#define TS4720_OUTPUTCHECKS_H

#include <string>

struct dataFileColumns;

// false with a reason: the path names a folder, an existing file without replace, or a
// folder that does not exist.
bool checkOutputPath(const std::string &path, bool replace, std::string *error);

// The most one data row takes for values from -9999.999999 to 99999.999999 (°C or mV; far
// beyond what a thermocouple input gives; "nan" for an open one is shorter) and any 32-bit
// timestamp.
long long rowBytesAtMost(const dataFileColumns &columns);

// false with a reason when the disk that holds path has less than bytes free.
bool checkFreeSpace(const std::string &path, long long bytes, std::string *error);

#endif
