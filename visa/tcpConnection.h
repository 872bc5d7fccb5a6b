// One TCP connection of a VISA session, with every wait bounded by a deadline. The only
// place of the library that uses the platform's sockets.
#ifndef TSVISA_TCPCONNECTION_H
#define TSVISA_TCPCONNECTION_H

#include "deadline.h"
#include "visatype.h"

#include <memory>
#include <string>

namespace tsvisa {

class TcpConnection {
public:
    ~TcpConnection();
    TcpConnection(const TcpConnection &) = delete;
    TcpConnection &operator=(const TcpConnection &) = delete;

    // Connects without blocking beyond the deadline. VI_SUCCESS, or VI_ERROR_RSRC_NFOUND
    // when the host cannot be resolved, refuses, cannot be reached or does not answer in
    // time; VI_ERROR_SYSTEM_ERROR when no socket can be created.
    static ViStatus connect(const std::string &host, ViUInt16 port, const Deadline &deadline,
                            std::unique_ptr<TcpConnection> *connection);

    // Sends all bytes unless the deadline passes (VI_ERROR_TMO) or the connection broke
    // (VI_ERROR_CONN_LOST); *sent counts what went out.
    ViStatus send(const ViByte *data, size_t size, const Deadline &deadline, size_t *sent);
    // Appends what arrives (at least one byte) to *input: VI_SUCCESS, VI_ERROR_TMO,
    // VI_ERROR_CONN_LOST when the peer closed, VI_ERROR_IO on other failures.
    ViStatus receive(std::string *input, const Deadline &deadline);

    bool setNoDelay(bool on);
    // Numeric address of the peer, e.g. "127.40.1.1".
    std::string peerAddress() const;
    // Ends the connection in both directions, waking any call waiting on it; the socket
    // itself is closed by the destructor. Safe to call from another thread.
    void shutdown();

private:
    explicit TcpConnection(int fd);
    ViStatus waitFor(short events, const Deadline &deadline);

    const int m_fd;
};

} // namespace tsvisa

#endif
