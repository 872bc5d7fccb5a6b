// Where a page's channel settings and user thermocouple coefficients come from and go to:
// the instrument (every driver call reported), the demo state store, or the loaded data
// file. A page takes one source, chosen once from its context, and never asks which.
#ifndef TS4720_CHANNELSETTINGSSOURCE_H
#define TS4720_CHANNELSETTINGSSOURCE_H

#include "channelRow.h"
#include "panelContext.h"
#include "ts4720.h"

#include <QString>

#include <memory>

class channelSettingsSource {
public:
    // The loaded file in viewer mode, the demo store in demo mode, else the instrument.
    static std::unique_ptr<channelSettingsSource> create(const panelContext &context);
    virtual ~channelSettingsSource() = default;

    // Reads channel `channel` (from 1) into row. A read that fails leaves the fields it
    // should have delivered as they were, so the row keeps showing its previous values.
    virtual void readChannel(int channel, channelRow &row) = 0;

    struct writeResult {
        bool typeKnown = true; // false: the row had no type, which was therefore not written
        bool refused = false;  // the instrument answered a call with an error or a warning
    };
    // Writes the row. A row without a type keeps the stored type.
    virtual writeResult writeChannel(int channel, const channelRow &row) = 0;
    // What a row without a type keeps, for the message that says so.
    virtual QString keptWithoutType() const = 0;

    // Whether rows show a connection status at all (a loaded file has none).
    virtual bool hasConnectionStatus() const = 0;
    // One scan of all channels for the connection status; false (reported) when it failed.
    // Without an instrument there is no scan: every value is 0, so an enabled channel
    // counts as connected.
    virtual bool readScan(double scan[TS4720_MAX_CHANNELS]) = 0;

    // Coefficients c0..c16 of user type 1 or 2. Entries the source does not hold are left
    // alone; false (reported) when the read failed.
    virtual bool readCoefficients(int userType, double coeff[TS4720_N_USER_COEFFS]) = 0;
    virtual void writeCoefficients(int userType, const double coeff[TS4720_N_USER_COEFFS]) = 0;
};

#endif
