// Where a channel row comes from and goes to: the instrument (through the driver, each
// call reported), the demo state store, or the loaded data file.
#ifndef TS4720_CHANNELROWSTORE_H
#define TS4720_CHANNELROWSTORE_H

#include "channelRow.h"
#include "visatype.h"

#include "ts4720.h"

namespace channelRowStore {

// Reads channel `channel` (from 1) into row. A call that fails leaves the fields it
// should have delivered as they were, so the row keeps showing its previous values.
void readInstrument(ViSession vi, int channel, channelRow &row);

struct writeResult {
    bool typeKnown = true; // false: the row had no type, so type and OTD were not sent
    bool refused = false;  // the instrument answered a call with an error or a warning
};

// Writes the row: state, then type and OTD, then alerts. A row without a type skips
// the type and OTD call (the instrument keeps its type).
writeResult writeInstrument(ViSession vi, int channel, const channelRow &row);

// One scan of all channels; false (reported) when it failed.
bool readScan(ViSession vi, double scan[TS4720_MAX_CHANNELS]);

// Demo state store, under its lock. A stored type outside the list reads as -1; a row
// without a type keeps the stored type (returns false then).
channelRow readDemo(int channel);
bool writeDemo(int channel, const channelRow &row);

// The loaded file's entry for channel index `index` (from 0); thresholds empty.
channelRow readLoadedFile(int index);

} // namespace channelRowStore

#endif
