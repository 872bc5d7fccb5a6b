// Channel rows read from and written to the instrument, the demo store and the loaded file.
#include "channelRowStore.h"

#include "channelTexts.h"
#include "demoStore.h"
#include "driverCall.h"
#include "loadedFile.h"
#include "ts4720_ext.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace channelRowStore {

void readInstrument(ViSession vi, int channel, channelRow &row)
{
    const ViInt16 ch = static_cast<ViInt16>(channel);
    ViBoolean ena = VI_FALSE;
    if (reportedCall(vi, [&] { return ts4720_getChannelState(vi, ch, &ena); },
                     "ts4720_getChannelState(vi, i+1, &ena)") >= 0)
        row.enabled = ena != 0;

    ViChar thermType[TS4720_TYPE_NAME_SIZE] = {};
    ViBoolean otd = VI_FALSE;
    if (reportedCall(vi, [&] { return ts4720_getChannelConfig(vi, ch, thermType, &otd); },
                     "ts4720_getChannelConfig(vi, i+1, thermType, &otd)") >= 0) {
        thermType[TS4720_TYPE_NAME_SIZE - 1] = '\0';
        row.otd = otd != 0;
        // A name outside the list checks no button: the row keeps its previous type.
        const int type = tcTypeIndex(thermType);
        if (type >= 0)
            row.type = type;
    }

    ViBoolean thresMinOn = VI_FALSE, thresMaxOn = VI_FALSE;
    ViReal64 thresMinVal = 0, thresMaxVal = 0;
    if (reportedCall(vi, [&] { return ts4720_getAlertConfig(vi, ch, &thresMinOn, &thresMinVal, &thresMaxOn, &thresMaxVal); },
                     "ts4720_getAlertConfig(vi, i+1, &thresMinOn, &thresMinVal, &thresMaxOn, &thresMaxVal)") >= 0) {
        row.minText = instrumentThresholdText(thresMinOn != 0, thresMinVal);
        row.maxText = instrumentThresholdText(thresMaxOn != 0, thresMaxVal);
    }
}

writeResult writeInstrument(ViSession vi, int channel, const channelRow &row)
{
    const ViInt16 ch = static_cast<ViInt16>(channel);
    writeResult result;
    // Anything but plain success where the instrument answered may have left the channel
    // other than the row says.
    auto note = [&result](ViStatus status) {
        if (status != VI_SUCCESS && !ts4720_isConnectionFailure(status))
            result.refused = true;
    };
    note(reportedCall(vi, [&] { return ts4720_setChannelState(vi, ch, row.enabled ? VI_TRUE : VI_FALSE); },
                      "ts4720_setChannelState(vi, i+1, cfg[i]->chEnabled->isChecked())"));
    result.typeKnown = row.type >= 0 && row.type < tcTypeCount;
    if (result.typeKnown) {
        note(reportedCall(vi, [&] { return ts4720_setChannelConfig(vi, ch, tc_type_name[row.type], row.otd ? VI_TRUE : VI_FALSE); },
                          "ts4720_setChannelConfig(vi, i+1, (ViChar*)tc_type_name[cid], cfg[i]->OTDenabled->isChecked())"));
    }
    const double min = thresholdValue(row.minText);
    const double max = thresholdValue(row.maxText);
    note(reportedCall(vi, [&] { return ts4720_setAlertConfig(vi, ch, !row.minText.isEmpty(), min, !row.maxText.isEmpty(), max); },
                      "ts4720_setAlertConfig(vi, i+1, !cfg[i]->thMin->text().isEmpty(), min, "
                      "!cfg[i]->thMax->text().isEmpty(), max)"));
    return result;
}

bool readScan(ViSession vi, double scan[TS4720_MAX_CHANNELS])
{
    for (int i = 0; i < TS4720_MAX_CHANNELS; ++i)
        scan[i] = std::numeric_limits<double>::quiet_NaN();
    return reportedCall(vi, [&] { return ts4720_acquireScan(vi, scan); }, "ts4720_acquireScan(vi, scan)") >= 0;
}

channelRow readDemo(int channel)
{
    const demoStore::ChannelSettings s = demoStore::channel(channel);
    channelRow row;
    row.enabled = s.enabled;
    row.otd = s.otd;
    row.type = s.thermocouple >= 0 && s.thermocouple < tcTypeCount ? s.thermocouple : -1;
    row.minText = s.minAlertOn ? s.minAlertText : QString();
    row.maxText = s.maxAlertOn ? s.maxAlertText : QString();
    return row;
}

bool writeDemo(int channel, const channelRow &row)
{
    demoStore::ChannelSettings s;
    const bool typeKnown = row.type >= 0 && row.type < tcTypeCount;
    s.thermocouple = typeKnown ? row.type : demoStore::channel(channel).thermocouple;
    s.enabled = row.enabled;
    s.otd = row.otd;
    s.minAlertOn = !row.minText.isEmpty();
    s.minAlertValue = thresholdValue(row.minText);
    s.maxAlertOn = !row.maxText.isEmpty();
    s.maxAlertValue = thresholdValue(row.maxText);
    demoStore::setChannel(channel, s);
    return typeKnown;
}

channelRow readLoadedFile(int index)
{
    channelRow row;
    if (index < 0 || index >= 48)
        return row;
    const loadedFileChannel &entry = loadedFile().channels[index];
    row.enabled = entry.present != 0;
    row.otd = entry.otd != 0;
    // The record's text may fill all 32 bytes; never read past it.
    char type[sizeof entry.type + 1] = {};
    std::memcpy(type, entry.type, sizeof entry.type);
    row.type = tcTypeIndex(type);
    return row;
}

} // namespace channelRowStore
