// SCPI over one VISA session. After a timeout or a broken connection the stream can
// no longer be trusted (a late reply would answer the next query), so the next
// exchange opens a fresh connection first. VISA's timeout applies to each read; the
// exchange's one deadline is handed to every read and write as the time left.
#include "scpiLink.h"

#include "ts4720.h"
#include "visa.h"

#include <algorithm>
#include <vector>

namespace ts4720 {

namespace {
const size_t kMaxLineBytes = 16u * 1024u * 1024u;
const size_t kChunkBytes = 64u * 1024u; // blocks are read and handed on in pieces of this size
}

ScpiLink::~ScpiLink()
{
    close();
}

ViStatus ScpiLink::open(const std::string &resource, ViUInt32 timeoutMs)
{
    close();
    m_resource = resource;
    m_timeoutMs = timeoutMs;
    ViStatus status = viOpenDefaultRM(&m_rm);
    if (status < 0) {
        m_rm = 0;
        return status;
    }
    status = viOpen(m_rm, resource.c_str(), VI_NO_LOCK, m_timeoutMs, &m_instr);
    if (status < 0) {
        m_instr = 0;
        close();
        return status;
    }
    status = configure();
    if (status < 0)
        close();
    m_reopen = false;
    return status;
}

ViStatus ScpiLink::reopen()
{
    if (m_resource.empty())
        return TS4720_ERROR_INV_SESSION;
    ViStatus status = open(m_resource, m_timeoutMs);
    if (status < 0)
        noteOutcome(status);
    else
        m_health.noteOutcome(status, LinkHealth::Clock::now());
    return status;
}

ViStatus ScpiLink::configure()
{
    ViStatus status = viSetAttribute(m_instr, VI_ATTR_TMO_VALUE, m_timeoutMs);
    if (status >= 0)
        status = viSetAttribute(m_instr, VI_ATTR_TERMCHAR, '\n');
    if (status >= 0)
        status = viSetAttribute(m_instr, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    return status;
}

void ScpiLink::close()
{
    if (m_instr != 0)
        viClose(m_instr);
    if (m_rm != 0)
        viClose(m_rm);
    m_instr = 0;
    m_rm = 0;
}

ViStatus ScpiLink::setTimeout(ViUInt32 timeoutMs)
{
    m_timeoutMs = timeoutMs;
    return VI_SUCCESS; // handed to VISA as the time left before each read and write
}

void ScpiLink::beginExchange()
{
    m_deadline = LinkHealth::Clock::now() + std::chrono::milliseconds(m_timeoutMs);
}

// The time left of the exchange as VISA's timeout for the next read or write.
ViStatus ScpiLink::armTimeout()
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - LinkHealth::Clock::now());
    if (left.count() <= 0)
        return VI_ERROR_TMO;
    return viSetAttribute(m_instr, VI_ATTR_TMO_VALUE, static_cast<ViAttrState>(left.count()));
}

ViStatus ScpiLink::prepare()
{
    if (m_resource.empty())
        return TS4720_ERROR_INV_SESSION;
    if (!m_health.mayTry(LinkHealth::Clock::now()))
        return TS4720_ERROR_CONNECTION_DOWN;
    if (!m_reopen && m_instr != 0)
        return VI_SUCCESS;
    return open(m_resource, m_timeoutMs);
}

// Every exchange that went out ends here: a failure leaves the stream out of step, a
// transport failure takes the link down, and anything that came back shows it answers.
void ScpiLink::noteOutcome(ViStatus status)
{
    if (status == TS4720_ERROR_CONNECTION_DOWN || status == TS4720_ERROR_INV_SESSION)
        return; // nothing was sent
    if (status < 0) {
        m_reopen = true;
        ++m_breaks;
        m_lastBreak = status;
    }
    m_health.noteOutcome(status, LinkHealth::Clock::now());
}

ViStatus ScpiLink::write(const std::string &message)
{
    ViStatus status = prepare();
    if (status >= 0)
        status = armTimeout();
    if (status >= 0) {
        std::string text = message + "\n";
        ViUInt32 written = 0;
        status = viWrite(m_instr, reinterpret_cast<ViConstBuf>(text.data()),
                         static_cast<ViUInt32>(text.size()), &written);
        if (status >= 0 && written != text.size())
            status = VI_ERROR_IO;
    }
    if (status < 0)
        noteOutcome(status);
    return status < 0 ? status : VI_SUCCESS;
}

ViStatus ScpiLink::query(const std::string &message, std::string *line)
{
    ViStatus status = write(message);
    if (status < 0)
        return status;
    status = readLine(line);
    noteOutcome(status);
    return status;
}

ViStatus ScpiLink::readLine(std::string *line)
{
    line->clear();
    char buffer[4096];
    for (;;) {
        ViUInt32 count = 0;
        ViStatus status = armTimeout();
        if (status >= 0)
            status = viRead(m_instr, reinterpret_cast<ViBuf>(buffer), sizeof buffer, &count);
        if (status < 0)
            return status;
        line->append(buffer, count);
        if (!line->empty() && line->back() == '\n')
            break;
        if (line->size() > kMaxLineBytes)
            return TS4720_ERROR_BAD_RESPONSE;
    }
    line->pop_back();
    if (!line->empty() && line->back() == '\r')
        line->pop_back();
    return VI_SUCCESS;
}

ViStatus ScpiLink::readExactly(char *buffer, size_t count)
{
    size_t done = 0;
    while (done < count) {
        ViUInt32 got = 0;
        ViStatus status = armTimeout();
        if (status >= 0)
            status = viRead(m_instr, reinterpret_cast<ViBuf>(buffer + done),
                            static_cast<ViUInt32>(count - done), &got);
        if (status < 0)
            return status;
        if (got == 0)
            return VI_ERROR_IO;
        done += got;
    }
    return VI_SUCCESS;
}

// "#<n><length>" of a definite-length block.
ViStatus ScpiLink::readBlockLength(size_t *length)
{
    char head[12] = {0};
    ViStatus status = readExactly(head, 2);
    if (status < 0)
        return status;
    if (head[0] != '#' || head[1] < '1' || head[1] > '9')
        return TS4720_ERROR_BAD_RESPONSE;
    size_t digits = static_cast<size_t>(head[1] - '0');
    status = readExactly(head + 2, digits);
    if (status < 0)
        return status;
    *length = 0;
    for (size_t i = 0; i < digits; ++i) {
        char c = head[2 + i];
        if (c < '0' || c > '9')
            return TS4720_ERROR_BAD_RESPONSE;
        *length = *length * 10 + static_cast<size_t>(c - '0');
    }
    return VI_SUCCESS;
}

// "#<n><length><bytes>\n": the bytes may hold '\n', so the terminator is switched off
// while the block is read and the length is taken from the header. Memory follows the
// bytes that arrived, never the length the header claims.
ViStatus ScpiLink::readBlock(size_t maxLength, const BlockSink &sink)
{
    size_t length = 0;
    ViStatus status = readBlockLength(&length);
    if (status < 0)
        return status;
    if (length > maxLength)
        return TS4720_ERROR_BAD_RESPONSE;
    std::vector<char> chunk(std::min(length, kChunkBytes));
    for (size_t done = 0; done < length;) {
        const size_t n = std::min(chunk.size(), length - done);
        if ((status = readExactly(chunk.data(), n)) < 0)
            return status;
        done += n;
        m_deadline += std::chrono::nanoseconds(static_cast<long long>(n) * 1000000000LL
                                               / static_cast<long long>(kSlowestBlockBytesPerSecond));
        if (!sink(chunk.data(), n))
            return TS4720_ERROR_FILE_IO;
    }
    char end = 0;
    status = readExactly(&end, 1);
    if (status >= 0 && end == '\r')
        status = readExactly(&end, 1);
    if (status >= 0 && end != '\n')
        return TS4720_ERROR_BAD_RESPONSE;
    return status;
}

ViStatus ScpiLink::queryBlock(const std::string &message, size_t maxLength, const BlockSink &sink)
{
    ViStatus status = write(message);
    if (status < 0)
        return status;
    status = viSetAttribute(m_instr, VI_ATTR_TERMCHAR_EN, VI_FALSE);
    if (status >= 0)
        status = readBlock(maxLength, sink);
    ViStatus restore = viSetAttribute(m_instr, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    if (status >= 0 && restore < 0)
        status = restore;
    // A malformed or refused block leaves unread bytes behind as well.
    noteOutcome(status);
    return status;
}

} // namespace ts4720
