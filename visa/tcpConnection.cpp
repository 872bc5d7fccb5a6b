// TCP connections over POSIX sockets.
#include "tcpConnection.h"

#include "visa.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tsvisa {

namespace {

// One attempt on one resolved address: VI_SUCCESS with *fd set, VI_ERROR_TMO when the
// deadline passed, VI_ERROR_RSRC_NFOUND when refused or unreachable.
ViStatus connectOne(const addrinfo *ai, const Deadline &deadline, int *fd)
{
    const int s = ::socket(ai->ai_family, ai->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                           ai->ai_protocol);
    if (s < 0)
        return VI_ERROR_SYSTEM_ERROR;
    int rc = ::connect(s, ai->ai_addr, ai->ai_addrlen);
    if (rc < 0 && errno == EINPROGRESS) {
        pollfd p{s, POLLOUT, 0};
        do {
            rc = ::poll(&p, 1, deadline.remainingMs());
        } while (rc < 0 && errno == EINTR);
        if (rc == 0) {
            ::close(s);
            return VI_ERROR_TMO;
        }
        int error = 0;
        socklen_t length = sizeof error;
        rc = (rc > 0 && ::getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
                 ? 0
                 : -1;
    }
    if (rc < 0) {
        ::close(s);
        return VI_ERROR_RSRC_NFOUND;
    }
    *fd = s;
    return VI_SUCCESS;
}

} // namespace

TcpConnection::TcpConnection(int fd) : m_fd(fd) {}

TcpConnection::~TcpConnection()
{
    ::close(m_fd);
}

ViStatus TcpConnection::connect(const std::string &host, ViUInt16 port, const Deadline &deadline,
                                std::unique_ptr<TcpConnection> *connection)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo *list = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0)
        return VI_ERROR_RSRC_NFOUND;
    ViStatus status = VI_ERROR_RSRC_NFOUND;
    int fd = -1;
    for (const addrinfo *ai = list; ai; ai = ai->ai_next) {
        status = connectOne(ai, deadline, &fd);
        if (status == VI_SUCCESS || status == VI_ERROR_TMO)
            break;
    }
    ::freeaddrinfo(list);
    if (status != VI_SUCCESS)
        return status == VI_ERROR_SYSTEM_ERROR ? status : VI_ERROR_RSRC_NFOUND;
    connection->reset(new TcpConnection(fd));
    return VI_SUCCESS;
}

ViStatus TcpConnection::waitFor(short events, const Deadline &deadline)
{
    pollfd p{m_fd, events, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, deadline.remainingMs());
    } while (rc < 0 && errno == EINTR);
    if (rc < 0)
        return VI_ERROR_IO;
    // Errors and hang-ups count as ready: the following send or recv reports them.
    return rc == 0 ? VI_ERROR_TMO : VI_SUCCESS;
}

ViStatus TcpConnection::send(const ViByte *data, size_t size, const Deadline &deadline,
                             size_t *sent)
{
    *sent = 0;
    while (*sent < size) {
        const ssize_t n = ::send(m_fd, data + *sent, size - *sent, MSG_NOSIGNAL);
        if (n > 0) {
            *sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return VI_ERROR_CONN_LOST;
        const ViStatus status = waitFor(POLLOUT, deadline);
        if (status != VI_SUCCESS)
            return status;
    }
    return VI_SUCCESS;
}

ViStatus TcpConnection::receive(std::string *input, const Deadline &deadline)
{
    char chunk[4096];
    while (true) {
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            input->append(chunk, static_cast<size_t>(n));
            return VI_SUCCESS;
        }
        if (n == 0)
            return VI_ERROR_CONN_LOST;
        if (errno == ECONNRESET || errno == EPIPE || errno == ENOTCONN)
            return VI_ERROR_CONN_LOST;
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return VI_ERROR_IO;
        const ViStatus status = waitFor(POLLIN, deadline);
        if (status != VI_SUCCESS)
            return status;
    }
}

bool TcpConnection::setNoDelay(bool on)
{
    const int flag = on ? 1 : 0;
    return ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &flag, sizeof flag) == 0;
}

std::string TcpConnection::peerAddress() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    char text[INET6_ADDRSTRLEN] = {0};
    if (::getpeername(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return std::string();
    if (address.ss_family == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in *>(&address)->sin_addr, text, sizeof text);
    else if (address.ss_family == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6 *>(&address)->sin6_addr, text, sizeof text);
    return text;
}

void TcpConnection::shutdown()
{
    ::shutdown(m_fd, SHUT_RDWR);
}

} // namespace tsvisa
