// Turns the scans of a DATA:FETCh? block into the caller's channel-by-channel layout.
#ifndef TS4720_SCANBLOCK_H
#define TS4720_SCANBLOCK_H

#include "visatype.h"

#include <string>

namespace ts4720 {

struct AcquisitionLayout;

// Number of whole scans in the block, or -1 when its size does not fit the layout.
long scanCount(const std::string &bytes, const AcquisitionLayout &layout);

// Writes value j of scan i of the k-th enabled channel to data[(n * k + i) * vpc + j]
// with n = the scans in the block, and the timestamps as (seconds, nanoseconds) pairs
// unless `timestamps` is null.
void unpackScans(const std::string &bytes, const AcquisitionLayout &layout, ViReal64 data[],
                 ViInt32 timestamps[]);

// The last scan's timestamp in nanoseconds; -1 when the block holds none.
long long lastTimestamp(const std::string &bytes, const AcquisitionLayout &layout);

} // namespace ts4720

#endif
