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

Instrument::Instrument(const Options &options) : m_impl(new InstrumentPrivate(options)) {}

Instrument::~Instrument()
{
    stop();
}

bool Instrument::start(std::string *error)
{
    if (!m_impl->server.start(m_impl->options.address, m_impl->options.port, error))
        return false;
    if (m_impl->options.webPort > 0) {
        std::string reason;
        if (!m_impl->web.start(m_impl->options.address, static_cast<uint16_t>(m_impl->options.webPort), &reason))
            std::fprintf(stderr, "ts4720-sim: no web interface on %s port %d (%s); going on without it\n",
                         m_impl->options.address.c_str(), m_impl->options.webPort, reason.c_str());
    }
    return true;
}

void Instrument::stop()
{
    m_impl->web.stop();
    m_impl->server.stop();
}

std::string Instrument::descriptor() const
{
    if (m_impl->options.port == 5025)
        return "TCPIP::" + m_impl->options.address + "::INSTR";
    return "TCPIP::" + m_impl->options.address + "::" + std::to_string(m_impl->options.port) + "::SOCKET";
}

std::string Instrument::webAddress() const
{
    if (!m_impl->web.serving())
        return std::string();
    const int port = m_impl->options.webPort;
    return "http://" + m_impl->options.address + (port == 80 ? std::string() : ":" + std::to_string(port)) + "/";
}

std::string Instrument::command(const std::string &message)
{
    std::lock_guard<std::mutex> lock(m_impl->inProcessMutex);
    const MessageResult result = m_impl->core.execute(m_impl->inProcessSession, message, false);
    if (result.networkDownMs >= 0)
        m_impl->server.takeDown(result.networkDownMs);
    else if (result.drop)
        m_impl->server.dropConnections();
    return result.reply;
}

} // namespace tssim
