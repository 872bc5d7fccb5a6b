// The VISA connection of one driver session: SCPI messages out, reply lines and
// IEEE 488.2 definite-length blocks in.
#ifndef TS4720_SCPILINK_H
#define TS4720_SCPILINK_H

#include "visatype.h"

#include <string>

namespace ts4720 {

// Not thread-safe: the owning session serialises every use under its lock.
class ScpiLink {
public:
    ScpiLink() = default;
    ~ScpiLink();
    ScpiLink(const ScpiLink &) = delete;
    ScpiLink &operator=(const ScpiLink &) = delete;

    ViStatus open(const std::string &resource, ViUInt32 timeoutMs);
    void close();
    bool isOpen() const { return m_instr != 0; }
    ViSession visaSession() const { return m_instr; }

    // Exchanges that broke the byte stream so far, and the status of the last one.
    unsigned breaks() const { return m_breaks; }
    ViStatus lastBreak() const { return m_lastBreak; }

    ViStatus setTimeout(ViUInt32 timeoutMs);
    ViUInt32 timeout() const { return m_timeoutMs; }

    // Sends the text with a trailing "\n" and reads one reply line (without "\n").
    ViStatus query(const std::string &message, std::string *line);
    // Sends the text with a trailing "\n"; no reply expected.
    ViStatus write(const std::string &message);
    // Sends the text and reads the definite-length block that answers it.
    ViStatus queryBlock(const std::string &message, std::string *bytes);

private:
    ViStatus prepare();
    ViStatus configure();
    ViStatus readLine(std::string *line);
    ViStatus readExactly(char *buffer, size_t count);
    ViStatus readBlock(std::string *bytes);
    void noteFailure(ViStatus status);

    std::string m_resource;
    ViSession m_rm = 0;
    ViSession m_instr = 0;
    ViUInt32 m_timeoutMs = 5000;
    bool m_reopen = false; // the byte stream is out of step after a timeout or lost connection
    unsigned m_breaks = 0;
    ViStatus m_lastBreak = 0;
};

} // namespace ts4720

#endif
