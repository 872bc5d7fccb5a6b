// The instrument's configuration: what SYSTem:CONFiguration:SAVE keeps and *RST/LOAD restore.
#ifndef TSSIM_INSTRUMENTSETTINGS_H
#define TSSIM_INSTRUMENTSETTINGS_H

#include <string>
#include <vector>

class QSettings;

namespace tssim {

enum { MaxChannels = 48, UserCoefficients = 17 };

struct ChannelSettings {
    bool enabled = true;
    int type = 1; // K
    bool otd = true;
    bool minOn = false;
    double min = 0.0;
    bool maxOn = false;
    double max = 0.0;
};

struct AcquisitionMode {
    int clockSource = 0;     // 0 internal, 1 PTP, 2/3 rear-panel line 1/2
    double scanRate = 10.0;  // Hz, 1..1000
    long long scans = 100;   // 0: until stopped
    int startMode = 0;       // 0 immediate, 1 PTP alarm, 2/3 rear-panel line 1/2
    int stop = 0;            // 0 after the scans, 1 trigger pulse, 2 end of trigger gate
    bool timestamps = true;
};

struct InstrumentSettings {
    ChannelSettings channels[MaxChannels];
    std::vector<double> user[2];  // coefficients of "User 1" and "User 2" (1..17 of them)
    int lineActive[4] = {0, 0, 0, 0};  // active states of RP1 in, RP2 in, RP1 out, RP2 out
    int outputFunction[2] = {0, 0};
    AcquisitionMode acquisition;
    int dataFormat = 1;   // bit values 1 temperature, 2 voltage, 4 cold junction
    int shadowCopy = 0;   // 0 none, 1 RAM disk, 2 hard disk
    std::string description;
    std::string assetNumber;

    // Factory defaults: all channels on, type K, OTD on, no alerts; the user types have
    // linear coefficients (41 µV/°C and 52 µV/°C).
    static InstrumentSettings factory(const std::string &serialText);

    // The configuration file (INI) in the state directory; false when it cannot be
    // written, or read (missing file).
    bool save(const std::string &path) const;
    bool load(const std::string &path);

private:
    void loadInstrumentGroup(QSettings &ini);
};

} // namespace tssim

#endif
