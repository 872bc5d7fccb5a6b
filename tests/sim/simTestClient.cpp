// Blocking socket client with timeouts.
#include "simTestClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

SimTestClient::~SimTestClient()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SimTestClient::connectTo(const std::string &address, uint16_t port)
{
    sockaddr_in addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1)
        return false;
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    return m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
}

bool SimTestClient::send(const std::string &bytes, int timeoutMs)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        pollfd p = {m_fd, POLLOUT, 0};
        if ((n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) || ::poll(&p, 1, timeoutMs) <= 0)
            return false;
    }
    return true;
}

bool SimTestClient::fill(int timeoutMs)
{
    pollfd p = {m_fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return false;
    char chunk[65536];
    const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
    if (n <= 0)
        return false;
    m_buffer.append(chunk, static_cast<size_t>(n));
    return true;
}

bool SimTestClient::readLine(std::string *line, int timeoutMs)
{
    size_t newline;
    while ((newline = m_buffer.find('\n')) == std::string::npos)
        if (!fill(timeoutMs))
            return false;
    *line = m_buffer.substr(0, newline);
    m_buffer.erase(0, newline + 1);
    return true;
}

bool SimTestClient::query(const std::string &message, std::string *reply, int timeoutMs)
{
    return send(message + "\n") && readLine(reply, timeoutMs);
}

bool SimTestClient::queryBlock(const std::string &message, std::string *bytes)
{
    if (!send(message + "\n"))
        return false;
    while (m_buffer.size() < 2)
        if (!fill(5000))
            return false;
    if (m_buffer[0] != '#' || m_buffer[1] < '1' || m_buffer[1] > '9')
        return false;
    const size_t digits = static_cast<size_t>(m_buffer[1] - '0');
    while (m_buffer.size() < 2 + digits)
        if (!fill(5000))
            return false;
    const size_t length = std::stoul(m_buffer.substr(2, digits));
    while (m_buffer.size() < 2 + digits + length + 1)
        if (!fill(5000))
            return false;
    *bytes = m_buffer.substr(2 + digits, length);
    const bool terminated = m_buffer[2 + digits + length] == '\n';
    m_buffer.erase(0, 2 + digits + length + 1);
    return terminated;
}

bool SimTestClient::closedByPeer(int timeoutMs)
{
    // Replies still on their way are read and dropped; then the stream must end.
    char chunk[65536];
    for (;;) {
        pollfd p = {m_fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return false;
        if (::recv(m_fd, chunk, sizeof chunk, 0) <= 0)
            return true;
    }
}

bool blockPayload(const std::string &text, std::string *bytes)
{
    if (text.size() < 2 || text[0] != '#' || text[1] < '1' || text[1] > '9')
        return false;
    const size_t digits = static_cast<size_t>(text[1] - '0');
    if (text.size() < 2 + digits)
        return false;
    const size_t length = std::stoul(text.substr(2, digits));
    if (text.size() < 2 + digits + length)
        return false;
    *bytes = text.substr(2 + digits, length);
    return true;
}

std::vector<double> doublesOf(const std::string &bytes)
{
    std::vector<double> values(bytes.size() / 8);
    std::memcpy(values.data(), bytes.data(), values.size() * 8);
    return values;
}
