// The three channel settings sources side by side: instrument, demo store, loaded file.
#include "channelSettingsSource.h"

#include "channelTexts.h"
#include "demoStore.h"
#include "driverCall.h"
#include "loadedFile.h"
#include "modelTable.h"
#include "ts4720_ext.h"

#include <cstring>
#include <limits>

static_assert(TS4720_MAX_CHANNELS == modelTable::maxChannels, "a scan and the loaded file hold the same channels");

namespace {

class instrumentSource : public channelSettingsSource {
public:
    explicit instrumentSource(ViSession vi) : m_vi(vi) {}

    void readChannel(int channel, channelRow &row) override;
    writeResult writeChannel(int channel, const channelRow &row) override;
    QString keptWithoutType() const override
    {
        return QStringLiteral("its type and OTD setting were not sent to the instrument");
    }
    bool hasConnectionStatus() const override { return true; }
    bool readScan(double scan[TS4720_MAX_CHANNELS]) override;
    bool readCoefficients(int userType, double coeff[TS4720_N_USER_COEFFS]) override;
    void writeCoefficients(int userType, const double coeff[TS4720_N_USER_COEFFS]) override;

private:
    const ViSession m_vi;
};

class demoSource : public channelSettingsSource {
public:
    void readChannel(int channel, channelRow &row) override;
    writeResult writeChannel(int channel, const channelRow &row) override;
    QString keptWithoutType() const override { return QStringLiteral("the stored type was kept"); }
    bool hasConnectionStatus() const override { return true; }
    bool readScan(double scan[TS4720_MAX_CHANNELS]) override;
    bool readCoefficients(int userType, double coeff[TS4720_N_USER_COEFFS]) override;
    void writeCoefficients(int userType, const double coeff[TS4720_N_USER_COEFFS]) override;
};

// The file holds the channel list only; everything else is the demo store's, as in demo
// mode (a viewer's pages are disabled, so nothing is written in practice).
class loadedFileSource : public demoSource {
public:
    void readChannel(int channel, channelRow &row) override;
    bool hasConnectionStatus() const override { return false; }
};

void instrumentSource::readChannel(int channel, channelRow &row)
{
    const ViSession vi = m_vi;
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

channelSettingsSource::writeResult instrumentSource::writeChannel(int channel, const channelRow &row)
{
    const ViSession vi = m_vi;
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
    // Without a type the type and OTD call is skipped: the instrument keeps its type.
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

bool instrumentSource::readScan(double scan[TS4720_MAX_CHANNELS])
{
    for (int i = 0; i < TS4720_MAX_CHANNELS; ++i)
        scan[i] = std::numeric_limits<double>::quiet_NaN();
    return reportedCall(m_vi, [&] { return ts4720_acquireScan(m_vi, scan); }, "ts4720_acquireScan(vi, scan)") >= 0;
}

// Reading uses the instrument's names "WebInterface_UA" and "WebInterface_UB", writing
// "User 1" and "User 2".
bool instrumentSource::readCoefficients(int userType, double coeff[TS4720_N_USER_COEFFS])
{
    const ViSession vi = m_vi;
    const bool first = userType == 1;
    ViInt32 coeffNum = 0;
    return reportedCall(vi, [&] { return ts4720_getCustomThermConfig(vi, first ? "WebInterface_UA" : "WebInterface_UB", coeff, &coeffNum); },
                        first ? "ts4720_getCustomThermConfig(vi, \"WebInterface_UA\", coeff, &coeffNum)"
                              : "ts4720_getCustomThermConfig(vi, \"WebInterface_UB\", coeff, &coeffNum)")
           >= 0;
}

void instrumentSource::writeCoefficients(int userType, const double coeff[TS4720_N_USER_COEFFS])
{
    const ViSession vi = m_vi;
    const QByteArray name = QStringLiteral("User %1").arg(userType).toLatin1();
    reportedCall(vi, [&] { return ts4720_setCustomThermConfig(vi, name.constData(), coeff, TS4720_N_USER_COEFFS); },
                 "ts4720_setCustomThermConfig(vi, QString(\"User %1\").arg(i+1).toLatin1().data(), "
                 "coeff, N_USER_COEFFS)");
}

void demoSource::readChannel(int channel, channelRow &row)
{
    const demoStore::ChannelSettings s = demoStore::channel(channel);
    row = channelRow();
    row.enabled = s.enabled;
    row.otd = s.otd;
    row.type = s.thermocouple >= 0 && s.thermocouple < tcTypeCount ? s.thermocouple : -1;
    row.minText = s.minAlertOn ? s.minAlertText : QString();
    row.maxText = s.maxAlertOn ? s.maxAlertText : QString();
}

channelSettingsSource::writeResult demoSource::writeChannel(int channel, const channelRow &row)
{
    writeResult result;
    result.typeKnown = row.type >= 0 && row.type < tcTypeCount;
    demoStore::ChannelSettings s;
    s.thermocouple = result.typeKnown ? row.type : demoStore::channel(channel).thermocouple;
    s.enabled = row.enabled;
    s.otd = row.otd;
    s.minAlertOn = !row.minText.isEmpty();
    s.minAlertValue = thresholdValue(row.minText);
    s.maxAlertOn = !row.maxText.isEmpty();
    s.maxAlertValue = thresholdValue(row.maxText);
    demoStore::setChannel(channel, s);
    return result;
}

bool demoSource::readScan(double scan[TS4720_MAX_CHANNELS])
{
    for (int i = 0; i < TS4720_MAX_CHANNELS; ++i)
        scan[i] = 0.0;
    return true;
}

bool demoSource::readCoefficients(int userType, double coeff[TS4720_N_USER_COEFFS])
{
    demoStore::coefficients(userType, coeff);
    return true;
}

void demoSource::writeCoefficients(int userType, const double coeff[TS4720_N_USER_COEFFS])
{
    demoStore::setCoefficients(userType, coeff);
}

void loadedFileSource::readChannel(int channel, channelRow &row)
{
    row = channelRow(); // the file has no thresholds
    const int index = channel - 1;
    if (index < 0 || index >= TS4720_MAX_CHANNELS)
        return;
    const loadedFileChannel &entry = loadedFile().channels[index];
    row.enabled = entry.present != 0;
    row.otd = entry.otd != 0;
    // The record's text may fill all 32 bytes; never read past it.
    char type[sizeof entry.type + 1] = {};
    std::memcpy(type, entry.type, sizeof entry.type);
    row.type = tcTypeIndex(type);
}

} // namespace

std::unique_ptr<channelSettingsSource> channelSettingsSource::create(const panelContext &context)
{
    if (context.viewer)
        return std::make_unique<loadedFileSource>();
    if (context.demo)
        return std::make_unique<demoSource>();
    return std::make_unique<instrumentSource>(context.vi);
}
