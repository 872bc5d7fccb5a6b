// A simulated Korvan 4720: a real SCPI server on TCP that a test can start in-process on
// a loopback address of its own, and that the ts4720-sim program runs stand-alone.
#ifndef TSSIM_SIMINSTRUMENT_H
#define TSSIM_SIMINSTRUMENT_H

#include <cstdint>
#include <memory>
#include <string>

namespace tssim {

struct Options {
    std::string address = "127.0.0.1";
    uint16_t port = 5025;
    std::string subType = "AC";        // "AA" 16, "AB" 32, "AC" 48 channels
    uint32_t serialNumber = 0x47209481;
    std::string stateDir;              // where the saved configuration and disks live; empty: memory only
    std::string identity;              // replaces the *IDN? reply when not empty (tests: other models, makers)
    int webPort = 80;                  // status page over HTTP; -1: none
    bool trace = false;                // print every network message and its reply on stdout
    bool largeSample = false;          // a fresh hard disk also gets a recording of about 1.2 MB
};

class InstrumentPrivate;

class Instrument {
public:
    explicit Instrument(const Options &options);
    ~Instrument(); // stops the server

    Instrument(const Instrument &) = delete;
    Instrument &operator=(const Instrument &) = delete;

    // Binds and starts serving; false with a reason when the address cannot be bound.
    bool start(std::string *error = nullptr);
    void stop();

    // "TCPIP::<address>::INSTR", or "TCPIP::<address>::<port>::SOCKET" on another port.
    std::string descriptor() const;
    // "http://<address>[:<port>]/" of the status page, empty when it is not served.
    std::string webAddress() const;

    // Executes one SCPI message in-process, as if it came over the network, and returns
    // the reply line without its "\n" (empty when the message has no query). Tests use it
    // for the SIMulation hooks and to look at the instrument's state.
    std::string command(const std::string &message);

private:
    std::unique_ptr<InstrumentPrivate> m_impl;
};

} // namespace tssim

#endif
