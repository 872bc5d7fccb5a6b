// Discovery for the recorder: the configured VISA resources (viFindRsrc), each asked *IDN?
// as the panel's Auto Find does; those that answer as a Korvan 4720 are kept.
#ifndef TS4720_INSTRUMENTFINDER_H
#define TS4720_INSTRUMENTFINDER_H

#include <string>
#include <vector>

struct foundInstrument {
    std::string descriptor;
    std::string model;   // "Korvan 4720-AC"; without the sub-type when it cannot be read
    std::string serial;  // as *IDN? gives it
};

struct discoveryResult {
    int resources = 0;                      // resources listed by VISA
    std::vector<foundInstrument> instruments; // sorted by descriptor
};

// Probes every listed resource at once (at most 128 at a time); each probe waits no longer
// than VISA's open and I/O timeouts.
discoveryResult findInstruments();

// The fields of an identification reply "Tarsel Ltd.,Korvan 4720,<serial>,<revision>";
// false when it comes from another maker or model.
bool isKorvan4720(const std::string &reply, std::string *serial);

// "TCPIP::...::INSTR  Korvan 4720-AC  serial 47209481", one line per instrument.
std::string instrumentListText(const std::vector<foundInstrument> &instruments);

#endif
