// Everything the commands work on: identity, configuration, signals, acquisition, disks and
// hooks. InstrumentCore guards the whole of it with one lock.
#ifndef TSSIM_INSTRUMENTMODEL_H
#define TSSIM_INSTRUMENTMODEL_H

#include "acquisitionEngine.h"
#include "channelSignals.h"
#include "faultInjector.h"
#include "instrumentSettings.h"
#include "storageDisk.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tssim {

struct InstrumentModel {
    // identity, fixed at construction
    std::string address;
    std::string subType;    // "AA", "AB", "AC"
    int channelCount = 48;
    uint32_t serialNumber = 0;
    std::string serialText; // 8 lower-case hex digits
    std::string identity;   // *IDN? reply; empty: the maker's
    std::string revision = "3.2.0";
    std::string stateDir;   // empty: memory only

    InstrumentSettings settings;
    InstrumentSettings saved;  // what SYSTem:CONFiguration:SAVE kept
    bool hasSaved = false;
    bool identify = false;
    long long alarmNs = 0;     // PTP alarm, ns since 1970; 0: none
    ChannelSignals signals;
    AcquisitionEngine acquisition;
    std::unique_ptr<StorageDisk> hardDisk; // location 0
    std::unique_ptr<StorageDisk> ramDisk;  // location 1
    StorageDisk *shadowDisk = nullptr; // where the last acquisition's shadow copy went
    std::string shadowFile;
    FaultInjector faults;
    bool dropRequested = false; // SIMulation:DROP, taken by the message that set it
    long long networkDownUntilNs = 0; // SIMulation:NETwork:DOWN: the SCPI port is gone until then
    bool networkDownRequested = false; // taken by the message that set it

    std::string configPath() const { return stateDir.empty() ? std::string() : stateDir + "/config.ini"; }
    StorageDisk *disk(long long location) { return location == 0 ? hardDisk.get() : ramDisk.get(); }
    ChannelReading reading(int index, long long timeNs) const
    {
        return signals.read(index, timeNs, settings.channels[index], settings);
    }
};

} // namespace tssim

#endif
