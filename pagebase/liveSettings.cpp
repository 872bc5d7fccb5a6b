// Reading the live view's settings: the driver's per-channel queries, or the demo store.
#include "liveSettings.h"

#include "channelTexts.h"
#include "demoStore.h"
#include "ts4720_ext.h"

#include <QElapsedTimer>

#include <cstring>

liveSettingsReader::liveSettingsReader(int channelCount)
    : m_channelCount(qBound(0, channelCount, TS4720_MAX_CHANNELS))
{
}

bool liveSettingsReader::readInstrument(ViSession vi, liveSettings &settings, qint64 budgetMs)
{
    QElapsedTimer timer;
    timer.start();
    ViInt16 clock = 0;
    ViReal64 rate = 0;
    const ViStatus mode = ts4720_getAcquisitionMode(vi, &clock, &rate, VI_NULL, VI_NULL, VI_NULL, VI_NULL);
    if (ts4720_isConnectionFailure(mode))
        return false;
    if (mode >= 0) {
        settings.clockSource = clock;
        settings.scanRate = rate;
    }
    for (int done = 0; done < m_channelCount; ++done) {
        if (done > 0 && timer.elapsed() >= budgetMs)
            break;
        const int index = m_next;
        m_next = (m_next + 1) % m_channelCount;
        if (!readChannel(vi, index, settings.channels[index]))
            return false;
    }
    return true;
}

bool liveSettingsReader::readChannel(ViSession vi, int index, liveChannelSettings &channel)
{
    const ViInt16 number = static_cast<ViInt16>(index + 1);
    ViBoolean enabled = VI_FALSE;
    ViStatus status = ts4720_getChannelState(vi, number, &enabled);
    if (ts4720_isConnectionFailure(status))
        return false;
    if (status >= 0) {
        channel.enabled = enabled != 0;
        channel.known = true;
    }
    ViChar type[TS4720_TYPE_NAME_SIZE] = {};
    status = ts4720_getChannelConfig(vi, number, type, VI_NULL);
    if (ts4720_isConnectionFailure(status))
        return false;
    if (status >= 0) {
        type[sizeof type - 1] = '\0';
        std::memcpy(channel.typeName, type, sizeof type);
    }
    ViBoolean minOn = VI_FALSE, maxOn = VI_FALSE;
    ViReal64 min = 0, max = 0;
    status = ts4720_getAlertConfig(vi, number, &minOn, &min, &maxOn, &max);
    if (ts4720_isConnectionFailure(status))
        return false;
    if (status >= 0) {
        channel.minOn = minOn != 0;
        channel.min = min;
        channel.maxOn = maxOn != 0;
        channel.max = max;
    }
    return true;
}

void liveSettingsReader::readDemo(liveSettings &settings)
{
    // The polling page reads an absent rate as 0.
    const demoStore::AcquisitionSettings acquisition = demoStore::acquisitionSettings(0);
    settings.clockSource = static_cast<qint16>(acquisition.clockSource);
    settings.scanRate = acquisition.scanRate;
    for (int i = 0; i < m_channelCount; ++i) {
        const demoStore::ChannelSettings s = demoStore::channel(i + 1);
        liveChannelSettings &channel = settings.channels[i];
        channel.known = true;
        channel.enabled = s.enabled;
        channel.minOn = s.minAlertOn;
        channel.min = s.minAlertValue;
        channel.maxOn = s.maxAlertOn;
        channel.max = s.maxAlertValue;
        // A stored index outside the list names no type.
        const bool inList = s.thermocouple >= 0 && s.thermocouple < tcTypeCount;
        std::memset(channel.typeName, 0, sizeof channel.typeName);
        if (inList)
            std::strncpy(channel.typeName, tc_type_name[s.thermocouple], sizeof channel.typeName - 1);
    }
}
