// Starts a simulated instrument in-process on a loopback address of the test's own.
#ifndef TESTS_DRIVER_SIMULATEDINSTRUMENT_H
#define TESTS_DRIVER_SIMULATEDINSTRUMENT_H

#include "simInstrument.h"
#include "ts4720.h"

#include <QString>

#include <memory>
#include <string>

// Address 127.42.<8 area + k>.<n>: every call hands out a new one, so instruments of one
// test never reuse an address that may still be in TIME_WAIT.
std::string testAddress(int area);

// A started instrument, or nullptr (with the reason in *error).
std::unique_ptr<tssim::Instrument> startInstrument(int area, std::string *error,
                                                   const std::string &identity = std::string());

// Opens a driver session on it (no identification, no reset); 0 on failure.
ViSession openSession(tssim::Instrument &instrument);

// An instrument of its own with one session on it; the session is closed on destruction.
struct TestRig {
    std::unique_ptr<tssim::Instrument> instrument;
    ViSession vi = 0;
    bool start(int area, const std::string &identity = std::string());
    ~TestRig();
};

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
