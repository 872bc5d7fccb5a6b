// Runs SCPI messages against the instrument model: the part of the simulator that is the
// same for network connections and in-process calls.
#ifndef TSSIM_INSTRUMENTCORE_H
#define TSSIM_INSTRUMENTCORE_H

#include "commandTable.h"
#include "instrumentModel.h"
#include "simInstrument.h"

#include <mutex>
#include <string>

namespace tssim {

class ScpiSession;

struct MessageResult {
    std::string reply;     // without the "\n"
    bool hasReply = false; // the message held a query that answered
    bool drop = false;     // close every connection after this reply
    int networkDownMs = -1; // after this reply the network is gone for that long (-1: no change)
    int delayMs = 0;       // wait this long before replying
};

class InstrumentCore {
public:
    explicit InstrumentCore(const Options &options);

    // network: the message came over a connection (silence and delay apply to those only).
    MessageResult execute(ScpiSession &session, const std::string &message, bool network);

    // The web status page's HTML.
    std::string statusPage();

    static long long nowNs();

private:
    void runUnit(ScpiSession &session, const ScpiUnit &unit, std::vector<std::string> *path,
                 std::vector<std::string> *replies, long long now);
    void createSampleFiles(long long now);

    mutable std::mutex m_mutex; // protects m_model: all instrument state (m_table is fixed after construction)
    InstrumentModel m_model;
    CommandTable m_table;
};

// Command groups, each in a file of its own.
void addSystemCommands(CommandTable &table);
void addChannelCommands(CommandTable &table);
void addAcquisitionCommands(CommandTable &table);
void addStorageCommands(CommandTable &table);
void addSimulationCommands(CommandTable &table);

// Shared by *RST and SYSTem:CONFiguration:LOAD: ends an acquisition and applies settings.
void applySettings(InstrumentModel &model, const InstrumentSettings &settings, long long nowNs);

} // namespace tssim

#endif
