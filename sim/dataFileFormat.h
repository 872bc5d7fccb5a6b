// The CSV layout of the instrument's data files, through the panel's own data-file writer.
#ifndef TSSIM_DATAFILEFORMAT_H
#define TSSIM_DATAFILEFORMAT_H

#include "instrumentSettings.h"

#include <memory>
#include <string>
#include <vector>

struct dataFileColumns;

namespace tssim {

struct DataFileColumns {
    std::vector<int> channels;          // channel numbers from 1, in order
    std::vector<std::string> typeNames; // per channel
    std::vector<bool> otd;              // per channel
    bool timestamps = true;
    bool voltage = false;
    bool coldJunction = false;
};

class DataFileFormat {
public:
    explicit DataFileFormat(const DataFileColumns &columns);
    ~DataFileFormat();

    // Header lines and the column line. alarmSeconds is used with start mode 1.
    std::string header(const std::string &subType, const std::string &serialText, const AcquisitionMode &mode,
                       long long alarmSeconds) const;
    // One data row; values holds per channel the temperature, then the voltage and the
    // cold-junction temperature as far as the columns have them.
    std::string row(long long timeNs, const double *values) const;

private:
    std::shared_ptr<const dataFileColumns> m_columns; // converted once, shared by copies
};

} // namespace tssim

#endif
