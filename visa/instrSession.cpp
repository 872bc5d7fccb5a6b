// Reading, writing and attributes of a TCPIP session.
#include "instrSession.h"

#include "visa.h"

#include <cstring>

namespace tsvisa {

namespace {

void copyText(const std::string &text, ViChar *value)
{
    const size_t n = text.size() < VI_FIND_BUFLEN ? text.size() : VI_FIND_BUFLEN - 1;
    std::memcpy(value, text.data(), n);
    value[n] = '\0';
}

const char *className(ResourceClass c)
{
    return c == ResourceClass::Socket ? "SOCKET" : "INSTR";
}

} // namespace

InstrSession::InstrSession(const ResourceDescriptor &descriptor,
                           std::unique_ptr<TcpConnection> connection)
    : m_descriptor(descriptor), m_connection(std::move(connection)),
      m_peerAddress(m_connection->peerAddress()),
      m_sendEnd(descriptor.resourceClass == ResourceClass::Instr)
{
    m_connection->setNoDelay(true);
}

ViStatus InstrSession::open(const ResourceDescriptor &descriptor,
                            std::shared_ptr<InstrSession> *session)
{
    if (!descriptor.isTcpip())
        return VI_ERROR_INTF_NUM_NCONFIG;
    if (descriptor.resourceClass == ResourceClass::Other)
        return VI_ERROR_NSUP_OPER;
    std::unique_ptr<TcpConnection> connection;
    const ViStatus status = TcpConnection::connect(descriptor.host, descriptor.port,
                                                   Deadline(defaultTimeoutMs), &connection);
    if (status != VI_SUCCESS)
        return status;
    *session = std::make_shared<InstrSession>(descriptor, std::move(connection));
    return VI_SUCCESS;
}

ViStatus InstrSession::getText(ViAttr attribute, ViChar *value) const
{
    switch (attribute) {
    case VI_ATTR_RSRC_NAME:
        copyText(m_descriptor.canonicalName(), value);
        return VI_SUCCESS;
    case VI_ATTR_RSRC_CLASS:
        copyText(className(m_descriptor.resourceClass), value);
        return VI_SUCCESS;
    case VI_ATTR_TCPIP_HOSTNAME:
        copyText(m_descriptor.host, value);
        return VI_SUCCESS;
    case VI_ATTR_TCPIP_ADDR:
        copyText(m_peerAddress, value);
        return VI_SUCCESS;
    case VI_ATTR_TCPIP_DEVICE_NAME:
        if (m_descriptor.resourceClass != ResourceClass::Instr)
            return VI_ERROR_NSUP_ATTR;
        copyText(m_descriptor.deviceName, value);
        return VI_SUCCESS;
    default:
        return VI_ERROR_NSUP_ATTR;
    }
}

ViStatus InstrSession::getAttribute(ViAttr attribute, void *value) const
{
    switch (attribute) {
    case VI_ATTR_INTF_TYPE:
        *static_cast<ViUInt16 *>(value) = VI_INTF_TCPIP;
        return VI_SUCCESS;
    case VI_ATTR_INTF_NUM:
        *static_cast<ViUInt16 *>(value) = m_descriptor.board;
        return VI_SUCCESS;
    case VI_ATTR_TCPIP_PORT:
        *static_cast<ViUInt16 *>(value) = m_descriptor.port;
        return VI_SUCCESS;
    case VI_ATTR_TMO_VALUE:
        *static_cast<ViUInt32 *>(value) = m_timeoutMs;
        return VI_SUCCESS;
    case VI_ATTR_TERMCHAR:
        *static_cast<ViUInt8 *>(value) = m_termChar;
        return VI_SUCCESS;
    case VI_ATTR_TERMCHAR_EN:
        *static_cast<ViBoolean *>(value) = m_termCharEnabled ? VI_TRUE : VI_FALSE;
        return VI_SUCCESS;
    case VI_ATTR_SEND_END_EN:
        *static_cast<ViBoolean *>(value) = m_sendEnd ? VI_TRUE : VI_FALSE;
        return VI_SUCCESS;
    case VI_ATTR_TCPIP_NODELAY:
        *static_cast<ViBoolean *>(value) = m_noDelay ? VI_TRUE : VI_FALSE;
        return VI_SUCCESS;
    default:
        return getText(attribute, static_cast<ViChar *>(value));
    }
}

ViStatus InstrSession::setAttribute(ViAttr attribute, ViAttrState value)
{
    const bool isBoolean = value == VI_TRUE || value == VI_FALSE;
    switch (attribute) {
    case VI_ATTR_TMO_VALUE:
        if (value > VI_TMO_INFINITE)
            return VI_ERROR_NSUP_ATTR_STATE;
        m_timeoutMs = static_cast<ViUInt32>(value);
        return VI_SUCCESS;
    case VI_ATTR_TERMCHAR:
        if (value > 0xFF)
            return VI_ERROR_NSUP_ATTR_STATE;
        m_termChar = static_cast<ViUInt8>(value);
        return VI_SUCCESS;
    case VI_ATTR_TERMCHAR_EN:
    case VI_ATTR_SEND_END_EN:
        if (!isBoolean)
            return VI_ERROR_NSUP_ATTR_STATE;
        (attribute == VI_ATTR_TERMCHAR_EN ? m_termCharEnabled : m_sendEnd) = value == VI_TRUE;
        return VI_SUCCESS;
    case VI_ATTR_TCPIP_NODELAY:
        if (!isBoolean)
            return VI_ERROR_NSUP_ATTR_STATE;
        if (!m_connection->setNoDelay(value == VI_TRUE))
            return VI_ERROR_NSUP_ATTR_STATE;
        m_noDelay = value == VI_TRUE;
        return VI_SUCCESS;
    case VI_ATTR_INTF_TYPE:
    case VI_ATTR_INTF_NUM:
    case VI_ATTR_TCPIP_PORT:
    case VI_ATTR_RSRC_NAME:
    case VI_ATTR_RSRC_CLASS:
    case VI_ATTR_TCPIP_HOSTNAME:
    case VI_ATTR_TCPIP_ADDR:
        return VI_ERROR_ATTR_READONLY;
    case VI_ATTR_TCPIP_DEVICE_NAME:
        return m_descriptor.resourceClass == ResourceClass::Instr ? VI_ERROR_ATTR_READONLY
                                                                 : VI_ERROR_NSUP_ATTR;
    default:
        return VI_ERROR_NSUP_ATTR;
    }
}

ViStatus InstrSession::write(ViConstBuf buffer, ViUInt32 count, ViUInt32 *written)
{
    const Deadline deadline(m_timeoutMs);
    std::lock_guard<std::mutex> lock(m_writeMutex);
    size_t sent = 0;
    ViStatus status = m_connection->send(buffer, count, deadline, &sent);
    *written = static_cast<ViUInt32>(sent);
    // The raw port has no END indicator: the terminator marks the end of the message.
    const ViByte end = m_termChar;
    if (status == VI_SUCCESS && m_sendEnd && (count == 0 || buffer[count - 1] != end)) {
        size_t endSent = 0;
        status = m_connection->send(&end, 1, deadline, &endSent);
    }
    return status;
}

bool InstrSession::takeBuffered(ViBuf buffer, ViUInt32 count, ViUInt32 *received, ViStatus *status)
{
    size_t take = m_inputBuffer.size() < count - *received ? m_inputBuffer.size() : count - *received;
    bool terminated = false;
    if (m_termCharEnabled) {
        const size_t at = m_inputBuffer.find(static_cast<char>(m_termChar.load()));
        if (at != std::string::npos && at < take) {
            take = at + 1;
            terminated = true;
        }
    }
    std::memcpy(buffer + *received, m_inputBuffer.data(), take);
    m_inputBuffer.erase(0, take);
    *received += static_cast<ViUInt32>(take);
    if (terminated) {
        *status = VI_SUCCESS;
        return true;
    }
    if (*received == count) {
        *status = VI_SUCCESS_MAX_CNT;
        return true;
    }
    return false;
}

ViStatus InstrSession::read(ViBuf buffer, ViUInt32 count, ViUInt32 *received)
{
    const Deadline deadline(m_timeoutMs);
    std::lock_guard<std::mutex> lock(m_readMutex);
    *received = 0;
    ViStatus status = VI_SUCCESS;
    while (!takeBuffered(buffer, count, received, &status)) {
        status = m_connection->receive(&m_inputBuffer, deadline);
        if (status != VI_SUCCESS)
            return status;
    }
    return status;
}

void InstrSession::shutdown()
{
    m_connection->shutdown();
}

} // namespace tsvisa
