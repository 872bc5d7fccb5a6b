// SCPI over one VISA session. After a timeout or a broken connection the stream can
// no longer be trusted (a late reply would answer the next query), so the next
// exchange opens a fresh connection first.
#include "scpiLink.h"

#include "ts4720.h"
#include "visa.h"

#include <vector>

namespace ts4720 {

namespace {
const size_t kMaxBlockBytes = 256u * 1024u * 1024u; // refuses absurd block headers
const size_t kMaxLineBytes = 16u * 1024u * 1024u;
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
    if (m_instr == 0)
        return VI_SUCCESS;
    return viSetAttribute(m_instr, VI_ATTR_TMO_VALUE, m_timeoutMs);
}

ViStatus ScpiLink::prepare()
{
    if (!m_reopen && m_instr != 0)
        return VI_SUCCESS;
    if (m_resource.empty())
        return TS4720_ERROR_INV_SESSION;
    return open(m_resource, m_timeoutMs);
}

void ScpiLink::noteFailure(ViStatus status)
{
    if (status < 0) {
        m_reopen = true;
        ++m_breaks;
        m_lastBreak = status;
    }
}

ViStatus ScpiLink::write(const std::string &message)
{
    ViStatus status = prepare();
    if (status < 0)
        return status;
    std::string text = message + "\n";
    ViUInt32 written = 0;
    status = viWrite(m_instr, reinterpret_cast<ViConstBuf>(text.data()),
                     static_cast<ViUInt32>(text.size()), &written);
    if (status >= 0 && written != text.size())
        status = VI_ERROR_IO;
    noteFailure(status);
    return status < 0 ? status : VI_SUCCESS;
}

ViStatus ScpiLink::query(const std::string &message, std::string *line)
{
    ViStatus status = write(message);
    if (status < 0)
        return status;
    status = readLine(line);
    noteFailure(status);
    return status;
}

ViStatus ScpiLink::readLine(std::string *line)
{
    line->clear();
    char buffer[4096];
    for (;;) {
        ViUInt32 count = 0;
        ViStatus status = viRead(m_instr, reinterpret_cast<ViBuf>(buffer), sizeof buffer, &count);
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
        ViStatus status = viRead(m_instr, reinterpret_cast<ViBuf>(buffer + done),
                                 static_cast<ViUInt32>(count - done), &got);
        if (status < 0)
            return status;
        if (got == 0)
            return VI_ERROR_IO;
        done += got;
    }
    return VI_SUCCESS;
}

// "#<n><length><bytes>\n": the bytes may hold '\n', so the terminator is switched off
// while the block is read and the length is taken from the header.
ViStatus ScpiLink::readBlock(std::string *bytes)
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
    size_t length = 0;
    for (size_t i = 0; i < digits; ++i) {
        char c = head[2 + i];
        if (c < '0' || c > '9')
            return TS4720_ERROR_BAD_RESPONSE;
        length = length * 10 + static_cast<size_t>(c - '0');
    }
    if (length > kMaxBlockBytes)
        return TS4720_ERROR_BAD_RESPONSE;
    bytes->assign(length, '\0');
    if (length > 0 && (status = readExactly(&(*bytes)[0], length)) < 0)
        return status;
    char end = 0;
    status = readExactly(&end, 1);
    if (status < 0)
        return status;
    if (end == '\r')
        status = readExactly(&end, 1);
    if (status >= 0 && end != '\n')
        return TS4720_ERROR_BAD_RESPONSE;
    return status;
}

ViStatus ScpiLink::queryBlock(const std::string &message, std::string *bytes)
{
    ViStatus status = write(message);
    if (status < 0)
        return status;
    status = viSetAttribute(m_instr, VI_ATTR_TERMCHAR_EN, VI_FALSE);
    if (status >= 0)
        status = readBlock(bytes);
    ViStatus restore = viSetAttribute(m_instr, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    if (status >= 0 && restore < 0)
        status = restore;
    // A malformed block leaves unread bytes behind as well.
    noteFailure(status);
    return status;
}

} // namespace ts4720
