// The VISA tests' TCP server, on POSIX sockets.
#include "scpiTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

ScpiTestServer::ScpiTestServer(const std::string &address, uint16_t port, Mode mode)
    : m_address(address), m_port(port), m_mode(mode)
{
}

ScpiTestServer::~ScpiTestServer()
{
    m_stopping = true;
    if (m_listenFd >= 0)
        ::shutdown(m_listenFd, SHUT_RDWR);
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int fd : m_clientFds)
            ::shutdown(fd, SHUT_RDWR);
    }
    // The accept thread has ended, so nobody adds threads any more.
    for (std::thread &t : m_clientThreads)
        t.join();
    for (int fd : m_clientFds)
        ::close(fd);
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

bool ScpiTestServer::start()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(m_port);
    if (::inet_pton(AF_INET, m_address.c_str(), &a.sin_addr) != 1 ||
        ::bind(m_listenFd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 ||
        ::listen(m_listenFd, m_mode == Mode::Backlogged ? 0 : 256) != 0)
        return false;
    if (m_mode != Mode::Backlogged) {
        m_acceptThread = std::thread(&ScpiTestServer::acceptLoop, this);
        return true;
    }
    for (int i = 0; i < 3; ++i) {
        m_clientFds.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(m_clientFds.back(), reinterpret_cast<sockaddr *>(&a), sizeof a);
    }
    ::usleep(100 * 1000); // lets the handshakes of the fillers complete
    return true;
}

void ScpiTestServer::acceptLoop()
{
    while (!m_stopping) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue; // shutdown of the listening socket makes accept fail at once
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clientFds.push_back(fd);
        m_clientThreads.emplace_back(&ScpiTestServer::serve, this, fd);
    }
}

void ScpiTestServer::serve(int fd)
{
    std::string input;
    char chunk[1024];
    ssize_t n;
    while ((n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) {
        input.append(chunk, size_t(n));
        for (size_t end; (end = input.find('\n')) != std::string::npos;) {
            const std::string line = input.substr(0, end);
            input.erase(0, end + 1);
            if (m_mode != Mode::Answer)
                continue;
            if (line == "BYE") {
                ::shutdown(fd, SHUT_RDWR);
                return;
            }
            const std::string reply = answer(line);
            if (!reply.empty())
                ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
    }
}

std::string ScpiTestServer::answer(const std::string &line)
{
    if (line == "*IDN?")
        return idn();
    if (line == "TWO?")
        return "first\nsecond\n";
    if (line == "LONG?")
        return std::string(300, 'x') + "\n";
    if (line == "BLOCK?")
        return block();
    return line == "PARTIAL?" ? "abc" : "";
}
