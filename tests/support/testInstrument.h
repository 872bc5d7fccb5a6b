// Simulated instruments for tests: started in-process on loopback addresses of the test's
// own, with a driver session, the SIMulation hooks and the instrument's state read back.
#ifndef TS4720_TESTINSTRUMENT_H
#define TS4720_TESTINSTRUMENT_H

#include "panelContext.h"
#include "simInstrument.h"
#include "ts4720.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

// Address 127.42.<8 area + k>.<n>: every call hands out a new one, so instruments of one
// test never reuse an address that may still be in TIME_WAIT. Where the sequence starts
// follows the process id, so that two runs of one test program (as under two locales) at
// the same time start apart.
std::string testAddress(int area);

// Options for an instrument on address, without the status web page.
tssim::Options testOptions(const std::string &address, const std::string &subType = "AC",
                           const std::string &identity = std::string());

// A started instrument, or nullptr with a warning (and the reason in *error).
std::unique_ptr<tssim::Instrument> startInstrument(const tssim::Options &options, std::string *error = nullptr);
// The same on a fresh address of area (the options' address is replaced), taking the next
// one while an address cannot be bound.
std::unique_ptr<tssim::Instrument> startInstrument(int area, tssim::Options options, std::string *error = nullptr);

// The address of an instrument: the host of its descriptor.
QString instrumentAddress(const tssim::Instrument &instrument);

// Opens a driver session on it (no identification, no reset); 0 on failure.
ViSession openSession(tssim::Instrument &instrument);

// An instrument of the test's own with one driver session on it; the session is closed on
// destruction.
class testInstrument {
public:
    testInstrument() = default;
    ~testInstrument();
    testInstrument(const testInstrument &) = delete;
    testInstrument &operator=(const testInstrument &) = delete;

    // On a fresh address of area, or as the options say; false (error says why) when the
    // instrument does not start or the session does not open.
    bool start(int area, const std::string &identity = std::string());
    bool start(const tssim::Options &options);

    // One SCPI message in-process (hooks, state); the reply without its "\n".
    QString command(const QString &message);
    // A fresh session, as after an outage the old one waits out the driver's retry interval.
    void reopen();
    // What a page built on this instrument's session gets.
    panelContext context(int channelCount) const;

    std::unique_ptr<tssim::Instrument> instrument;
    ViSession vi = 0;
    QString error;

private:
    bool openSessionOnIt();
};

// Instruments on addresses a test chose; stopped at destruction.
class testInstruments {
public:
    // An empty identity answers as a Korvan 4720.
    bool start(const std::string &address, const std::string &identity = std::string());

private:
    std::vector<std::unique_ptr<tssim::Instrument>> m_instruments;
};

// A page context of demo mode with the channel count.
panelContext demoContext(int channelCount);

// Puts the descriptors into the environment list that VISA discovery reads.
void setConfiguredResources(const QStringList &descriptors);

// Sends a message over a connection of its own, as a client would (SIMulation:DROP only
// acts on messages that come over the network).
bool sendOverNetwork(tssim::Instrument &instrument, const std::string &message);

// The driver's text for a status.
std::string statusText(ViSession vi, ViStatus status);

// The storage file list read in the driver's two steps; "<failed>" on failure.
QString storedFileList(ViSession vi);
// The name of the first file on a disk ("RAM" or "HD") in such a list.
QString fileOn(const QString &list, const QString &location);

#endif
