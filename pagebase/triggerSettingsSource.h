// Where the rear-panel trigger settings come from and go to: the instrument (every driver
// call reported), the demo state store, or, for a loaded data file, the demo store read
// only. A page takes one source, chosen once from its context, and never asks which.
#ifndef TS4720_TRIGGERSETTINGSSOURCE_H
#define TS4720_TRIGGERSETTINGSSOURCE_H

#include "demoStore.h"
#include "panelContext.h"

#include <memory>

// The selected box indices: active states 0 "Open", 1 "Closed"; functions 0 .. 4.
using triggerSettings = demoStore::TriggerSettings;

class triggerSettingsSource {
public:
    // The loaded file in viewer mode, the demo store in demo mode, else the instrument.
    static std::unique_ptr<triggerSettingsSource> create(const panelContext &context);
    virtual ~triggerSettingsSource() = default;

    // Reads every line in turn. A read that fails, or returns a value outside the line's
    // choices, leaves its field as it was; the sequence goes on.
    virtual void read(triggerSettings &settings) = 0;
    // Writes every line in turn; a failing call does not stop the next one.
    virtual void write(const triggerSettings &settings) = 0;
};

#endif
