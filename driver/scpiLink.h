// The VISA connection of one driver session: SCPI messages out, reply lines and
// IEEE 488.2 definite-length blocks in, each exchange under one deadline, and the
// remembered state of a link that stopped answering.
#ifndef TS4720_SCPILINK_H
#define TS4720_SCPILINK_H

#include "linkHealth.h"
#include "visatype.h"

#include <chrono>
#include <functional>
#include <string>

namespace ts4720 {

// Not thread-safe: the owning session serialises every use under its lock.
class ScpiLink {
public:
    // Receives a block's bytes in pieces as they arrive; false stops the transfer
    // (the exchange then fails with TS4720_ERROR_FILE_IO).
    using BlockSink = std::function<bool(const char *data, size_t size)>;

    ScpiLink() = default;
    ~ScpiLink();
    ScpiLink(const ScpiLink &) = delete;
    ScpiLink &operator=(const ScpiLink &) = delete;

    ViStatus open(const std::string &resource, ViUInt32 timeoutMs);
    void close();
    // Opens the connection afresh now, whatever the link's health (a reconnecting
    // acquisition keeps its own pace); a connection that opens brings the link up.
    ViStatus reopen();
    bool isOpen() const { return m_instr != 0; }
    ViSession visaSession() const { return m_instr; }

    // Exchanges that broke the byte stream so far, and the status of the last one.
    unsigned breaks() const { return m_breaks; }
    ViStatus lastBreak() const { return m_lastBreak; }
    const LinkHealth &health() const { return m_health; }

    ViStatus setTimeout(ViUInt32 timeoutMs);
    ViUInt32 timeout() const { return m_timeoutMs; }

    // Starts an exchange: every write and read until the next call shares one deadline,
    // the timeout from now. A block's deadline moves on by the time its bytes take at
    // kSlowestBlockBytesPerSecond, so that a large download on a slow link is not cut
    // short while a peer that trickles or falls silent is.
    void beginExchange();
    static const size_t kSlowestBlockBytesPerSecond = 1024 * 1024;

    // Sends the text with a trailing "\n" and reads one reply line (without "\n").
    ViStatus query(const std::string &message, std::string *line);
    // Sends the text with a trailing "\n"; no reply expected.
    ViStatus write(const std::string &message);
    // Sends the text and reads the definite-length block that answers it; a block that
    // announces more than maxLength bytes is refused before any of them is read.
    ViStatus queryBlock(const std::string &message, size_t maxLength, const BlockSink &sink);

private:
    ViStatus prepare();
    ViStatus configure();
    ViStatus armTimeout();
    ViStatus readLine(std::string *line);
    ViStatus readExactly(char *buffer, size_t count);
    ViStatus readBlockLength(size_t *length);
    ViStatus readBlock(size_t maxLength, const BlockSink &sink);
    void noteOutcome(ViStatus status);

    std::string m_resource;
    ViSession m_rm = 0;
    ViSession m_instr = 0;
    ViUInt32 m_timeoutMs = 5000;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_reopen = false; // the byte stream is out of step after a timeout or lost connection
    unsigned m_breaks = 0;
    ViStatus m_lastBreak = 0;
    LinkHealth m_health;
};

} // namespace ts4720

#endif
