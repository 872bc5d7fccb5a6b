// POSIX sockets: IPv4 TCP, poll with timeouts, no SIGPIPE.
#include "socketIo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tssim {

int SocketIo::listenOn(const std::string &address, uint16_t port, std::string *error)
{
    sockaddr_in addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1) {
        if (error)
            *error = "not an IPv4 address: " + address;
        return -1;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        if (error)
            *error = std::strerror(errno);
        return -1;
    }
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
        if (error)
            *error = address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

int SocketIo::acceptWithin(int listenFd, int wakeFd, int timeoutMs, int *spareFd)
{
    pollfd fds[2] = {{listenFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    if (::poll(fds, wakeFd >= 0 ? 2 : 1, timeoutMs) <= 0 || !(fds[0].revents & POLLIN))
        return -1;
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
        if (errno == EINTR || errno == EAGAIN || errno == ECONNABORTED)
            return -1;
        if (spareFd != nullptr && *spareFd >= 0) {
            ::close(*spareFd);
            const int refused = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (refused >= 0)
                ::close(refused);
            *spareFd = openSpare();
        }
        pollfd wake = {wakeFd, POLLIN, 0};
        ::poll(&wake, wakeFd >= 0 ? 1 : 0, 100);
        return -1;
    }
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

int SocketIo::openSpare()
{
    return ::open("/dev/null", O_RDONLY | O_CLOEXEC);
}

long SocketIo::sendSome(int fd, const char *data, size_t size)
{
    const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0)
        return static_cast<long>(n);
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

bool SocketIo::waitFor(int fd, bool wantWrite, int timeoutMs, bool *readable, bool *writable)
{
    pollfd p = {fd, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0};
    const int ready = ::poll(&p, 1, timeoutMs);
    if (ready < 0 && errno != EINTR)
        return false;
    // Hang-ups and errors count as readable: the receive that follows reports them.
    *readable = ready > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR));
    *writable = ready > 0 && (p.revents & POLLOUT);
    return true;
}

bool SocketIo::sendAll(int fd, const std::string &bytes, int timeoutMs)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const long n = sendSome(fd, bytes.data() + sent, bytes.size() - sent);
        if (n < 0)
            return false;
        sent += static_cast<size_t>(n);
        pollfd p = {fd, POLLOUT, 0};
        if (n == 0 && ::poll(&p, 1, timeoutMs) <= 0)
            return false;
    }
    return true;
}

long SocketIo::receive(int fd, char *buffer, size_t size, int timeoutMs)
{
    pollfd p = {fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, timeoutMs);
    if (ready == 0)
        return -1;
    if (ready < 0)
        return errno == EINTR ? -1 : 0;
    const ssize_t n = ::recv(fd, buffer, size, 0);
    if (n < 0 && errno == EINTR)
        return -1;
    return n > 0 ? static_cast<long>(n) : 0;
}

void SocketIo::shutdownBoth(int fd)
{
    ::shutdown(fd, SHUT_RDWR);
}

void SocketIo::close(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

bool SocketIo::makePipe(int fds[2])
{
    return ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0;
}

void SocketIo::wake(int writeFd)
{
    const char byte = 1;
    const ssize_t ignored = ::write(writeFd, &byte, 1);
    (void)ignored;
}

void SocketIo::drain(int readFd)
{
    char bytes[64];
    while (::read(readFd, bytes, sizeof bytes) > 0) {
    }
}

void SocketIo::waitForWake(int readFd, int timeoutMs)
{
    pollfd p = {readFd, POLLIN, 0};
    ::poll(&p, 1, timeoutMs);
    drain(readFd);
}

} // namespace tssim
