// Where the acquisition page's settings come from: the instrument (every call reported),
// the demo store, or the loaded data file. The page takes one source, chosen once from its
// context, and never asks which.
#ifndef TS4720_ACQUISITIONSETTINGSSOURCE_H
#define TS4720_ACQUISITIONSETTINGSSOURCE_H

#include "panelContext.h"
#include "visatype.h"

#include <memory>

struct acquisitionSettings {
    int clockSource = 0;      // 0 internal, 1 PTP, 2/3 rear-panel line 1/2
    double scanRate = 1;      // Hz
    int numberOfScans = 1;
    int startMode = 0;        // 0 immediate, 1 PTP alarm, 2/3 rear-panel line 1/2
    // The stop mode, either as an index into the page's stop-mode list (the demo store and
    // the file keep it so) or as the item data of an entry (the instrument's stop kind);
    // the other is -1.
    int stopIndex = -1;
    int stopData = -1;
    bool storeTimestamps = false;
    bool storeVoltage = false;
    bool storeColdJunction = false;
};

class acquisitionSettingsSource {
public:
    // The loaded file in viewer mode, the demo store in demo mode, else the instrument.
    static std::unique_ptr<acquisitionSettingsSource> create(const panelContext &context);
    virtual ~acquisitionSettingsSource() = default;

    // Fills s; a failed call (reported) leaves its fields as they were. alarm is the
    // remembered PTP alarm (seconds since 1970, 0 = none), updated where the source keeps one.
    virtual void read(acquisitionSettings &s, ViUInt32 &alarm) = 0;
    // The present time for "Now": the instrument's PTP time (reported on failure, then 0),
    // else the computer's clock.
    virtual ViUInt32 currentTime() = 0;
    // Whether the disk (ts4720_STORAGE_RAM or ts4720_STORAGE_HD) can take a shadow copy.
    virtual bool hasStorage(int location) = 0;
};

#endif
