// The simulated instrument: the command core behind a SCPI port and a web status page.
#include "simInstrument.h"

#include "instrumentCore.h"
#include "scpiServer.h"
#include "scpiSession.h"
#include "webServer.h"

#include <cstdio>
#include <mutex>

namespace tssim {

class InstrumentPrivate {
public:
    explicit InstrumentPrivate(const Options &o)
        : options(o), core(o), server([this](ScpiSession &s, const std::string &m) { return serve(s, m); }),
          web([this] { return core.statusPage(); })
    {
    }

    MessageResult serve(ScpiSession &session, const std::string &message)
    {
        MessageResult result = core.execute(session, message, true);
        if (options.trace) {
            // Blocks are binary: show only their length.
            const bool block = !result.reply.empty() && result.reply[0] == '#';
            std::printf("<< %s\n", message.c_str());
            if (result.hasReply)
                std::printf(">> %s\n", block ? ("<block of " + std::to_string(result.reply.size()) + " bytes>").c_str()
                                               : result.reply.c_str());
            std::fflush(stdout);
        }
        return result;
    }

    Options options;
    InstrumentCore core;
    ScpiServer server;
    WebServer web;
    std::mutex inProcessMutex; // protects inProcessSession (command() may be called from any thread)
    ScpiSession inProcessSession;
};

Instrument::Instrument(const Options &options) : d(new InstrumentPrivate(options)) {}

Instrument::~Instrument()
{
    stop();
}

bool Instrument::start(std::string *error)
{
    if (!d->server.start(d->options.address, d->options.port, error))
        return false;
    if (d->options.webPort > 0) {
        std::string reason;
        if (!d->web.start(d->options.address, static_cast<uint16_t>(d->options.webPort), &reason))
            std::fprintf(stderr, "ts4720-sim: no web interface on %s port %d (%s); going on without it\n",
                         d->options.address.c_str(), d->options.webPort, reason.c_str());
    }
    return true;
}

void Instrument::stop()
{
    d->web.stop();
    d->server.stop();
}

std::string Instrument::descriptor() const
{
    if (d->options.port == 5025)
        return "TCPIP::" + d->options.address + "::INSTR";
    return "TCPIP::" + d->options.address + "::" + std::to_string(d->options.port) + "::SOCKET";
}

std::string Instrument::webAddress() const
{
    if (!d->web.serving())
        return std::string();
    const int port = d->options.webPort;
    return "http://" + d->options.address + (port == 80 ? std::string() : ":" + std::to_string(port)) + "/";
}

std::string Instrument::command(const std::string &message)
{
    std::lock_guard<std::mutex> lock(d->inProcessMutex);
    const MessageResult result = d->core.execute(d->inProcessSession, message, false);
    if (result.drop)
        d->server.dropConnections();
    return result.reply;
}

} // namespace tssim
