// An open TCPIP session: its connection, attributes and input buffer.
#ifndef TSVISA_INSTRSESSION_H
#define TSVISA_INSTRSESSION_H

#include "resourceDescriptor.h"
#include "tcpConnection.h"
#include "visatype.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace tsvisa {

class InstrSession {
public:
    // Connects to the resource within the default timeout. VI_SUCCESS,
    // VI_ERROR_INTF_NUM_NCONFIG for interfaces other than TCPIP, VI_ERROR_NSUP_OPER for
    // TCPIP classes other than INSTR and SOCKET, or what TcpConnection::connect returns.
    static ViStatus open(const ResourceDescriptor &descriptor, std::shared_ptr<InstrSession> *session);

    ViStatus getAttribute(ViAttr attribute, void *value) const;
    ViStatus setAttribute(ViAttr attribute, ViAttrState value);
    ViStatus write(ViConstBuf buffer, ViUInt32 count, ViUInt32 *written);
    ViStatus read(ViBuf buffer, ViUInt32 count, ViUInt32 *received);
    // Wakes and fails every read or write in progress; used by viClose.
    void shutdown();

    InstrSession(const ResourceDescriptor &descriptor, std::unique_ptr<TcpConnection> connection);

private:
    static const ViUInt32 defaultTimeoutMs = 2000;

    ViStatus getText(ViAttr attribute, ViChar *value) const;
    // Moves bytes from the input buffer into the caller's buffer; true when the read is
    // complete (terminator seen or count reached), with the status in *status.
    bool takeBuffered(ViBuf buffer, ViUInt32 count, ViUInt32 *received, ViStatus *status);

    const ResourceDescriptor m_descriptor;
    const std::unique_ptr<TcpConnection> m_connection;
    const std::string m_peerAddress;
    // Attributes: single values, read and written without a lock.
    std::atomic<ViUInt32> m_timeoutMs{defaultTimeoutMs};
    std::atomic<ViUInt8> m_termChar{'\n'};
    std::atomic<bool> m_termCharEnabled{true};
    std::atomic<bool> m_sendEnd{false};
    std::atomic<bool> m_noDelay{true};

    std::mutex m_writeMutex; // serialises writes, so that two messages never interleave
    std::mutex m_readMutex;  // serialises reads; protects m_inputBuffer
    std::string m_inputBuffer;
};

} // namespace tsvisa

#endif
