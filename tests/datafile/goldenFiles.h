// The configurations of the checked-in golden files (data/make_golden.py writes the same
// values with Python's own formatting).
#ifndef TS4720_GOLDENFILES_H
#define TS4720_GOLDENFILES_H

#include "dataFileWriter.h"

#include <cstdint>
#include <string>
#include <vector>

struct goldenFile {
    std::string name;
    dataFileSettings settings;
    dataFileColumns columns;
    int scans = 0;
    std::vector<double> data;             // read-buffer layout, channel by channel
    std::vector<std::int32_t> timestamps; // (seconds, nanoseconds) per scan
};

std::vector<goldenFile> goldenFiles();

// Builds the read-buffer layout from rows of values (each row: channel after channel, all of
// a channel's values together).
std::vector<double> readBufferFromRows(const std::vector<std::vector<double>> &rows, int channels, int vpc);

#endif
