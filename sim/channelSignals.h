// The simulated thermocouples: a smooth temperature per channel, the cold junction, and
// the test hooks' overrides (open thermocouple, fixed temperature).
#ifndef TSSIM_CHANNELSIGNALS_H
#define TSSIM_CHANNELSIGNALS_H

#include "instrumentSettings.h"

namespace tssim {

struct ChannelReading {
    double temperature; // °C
    double voltage;     // mV, relative to the cold junction
    double coldJunction; // °C
};

class ChannelSignals {
public:
    ChannelSignals();

    // Room temperature plus a slow drift of its own per channel (0-based index), °C.
    double trueTemperature(int index, long long timeNs) const;
    double coldJunction(long long timeNs) const;

    // What the channel reads with its settings: an open thermocouple reads NaN in every
    // value with OTD on; with OTD off its input floats (about 2000 °C and 80 mV, noisy).
    ChannelReading read(int index, long long timeNs, const ChannelSettings &channel,
                        const InstrumentSettings &settings) const;

    void setOpen(int index, bool open) { m_open[index] = open; }
    bool isOpen(int index) const { return m_open[index]; }
    void setFixedTemperature(int index, double celsius);
    void clearFixedTemperature(int index);

private:
    bool m_open[MaxChannels];
    bool m_fixed[MaxChannels];
    double m_fixedValue[MaxChannels];
};

} // namespace tssim

#endif
