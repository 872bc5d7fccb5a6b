// The settings the live view shows beside each temperature (channel on, thermocouple type,
// alert thresholds; clock source and scan rate), read by the polling thread on its own
// session or from the demo store, so the GUI thread never waits for the instrument.
#ifndef TS4720_LIVESETTINGS_H
#define TS4720_LIVESETTINGS_H

#include "ts4720.h"

#include <QtGlobal>

struct liveChannelSettings {
    bool known = false; // read at least once; until then the tile shows the channel as off
    bool enabled = false;
    bool minOn = false;
    double min = 0; // °C
    bool maxOn = false;
    double max = 0;
    char typeName[TS4720_TYPE_NAME_SIZE] = {};
};

struct liveSettings {
    qint16 clockSource = -1; // -1 until read
    double scanRate = 1.0;   // Hz
    liveChannelSettings channels[TS4720_MAX_CHANNELS]; // index 0 is channel 1
};

// Reads the settings in turns: each read goes on from the channel where the last one
// stopped, so a slow link spreads one round over a few polls while a fast one reads every
// channel each time. Used by one thread only.
class liveSettingsReader {
public:
    explicit liveSettingsReader(int channelCount);

    // The acquisition mode, then channels in turn until budgetMs have passed (at least one
    // channel, at most every channel once). A read that fails leaves its fields as they
    // were. False when the link failed; the rest of the round is then left for later.
    bool readInstrument(ViSession vi, liveSettings &settings, qint64 budgetMs);
    // Every channel and the acquisition settings from the demo store.
    void readDemo(liveSettings &settings);

private:
    bool readChannel(ViSession vi, int index, liveChannelSettings &channel);

    const int m_channelCount;
    int m_next = 0; // index of the channel the next instrument read starts with
};

#endif
