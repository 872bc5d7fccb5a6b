// The VISA tests' TCP server, on POSIX sockets.
#include "scpiTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

ScpiTestServer::ScpiTestServer(const std::string &address, uint16_t port, Mode mode)
    : address_(address), port_(port), mode_(mode)
{
}

ScpiTestServer::~ScpiTestServer()
{
    stopping_ = true;
    if (listenFd_ >= 0)
        ::shutdown(listenFd_, SHUT_RDWR);
    if (acceptThread_.joinable())
        acceptThread_.join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (int fd : clientFds_)
            ::shutdown(fd, SHUT_RDWR);
    }
    // The accept thread has ended, so nobody adds threads any more.
    for (std::thread &t : clientThreads_)
        t.join();
    for (int fd : clientFds_)
        ::close(fd);
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

bool ScpiTestServer::start()
{
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port_);
    if (::inet_pton(AF_INET, address_.c_str(), &a.sin_addr) != 1 ||
        ::bind(listenFd_, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 ||
        ::listen(listenFd_, mode_ == Mode::Backlogged ? 0 : 256) != 0)
        return false;
    if (mode_ == Mode::Backlogged)
        return fillQueue(&a, sizeof a);
    acceptThread_ = std::thread(&ScpiTestServer::acceptLoop, this);
    return true;
}

bool ScpiTestServer::fillQueue(const void *address, unsigned length)
{
    for (int i = 0; i < 3; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(fd, static_cast<const sockaddr *>(address), length);
        clientFds_.push_back(fd);
    }
    // Give the handshakes of the fillers time to complete.
    ::usleep(100 * 1000);
    return true;
}

void ScpiTestServer::acceptLoop()
{
    while (!stopping_) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue; // shutdown of the listening socket makes accept fail at once
        std::lock_guard<std::mutex> lock(mutex_);
        clientFds_.push_back(fd);
        clientThreads_.emplace_back(&ScpiTestServer::serve, this, fd);
    }
}

void ScpiTestServer::serve(int fd)
{
    std::string input;
    char chunk[1024];
    while (true) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        input.append(chunk, static_cast<size_t>(n));
        size_t end;
        while ((end = input.find('\n')) != std::string::npos) {
            const std::string line = input.substr(0, end);
            input.erase(0, end + 1);
            if (mode_ == Mode::Answer && !answer(fd, line))
                return;
        }
    }
}

// False when the connection is to end.
bool ScpiTestServer::answer(int fd, const std::string &line)
{
    std::string reply;
    if (line == "*IDN?")
        reply = idn();
    else if (line == "TWO?")
        reply = "first\nsecond\n";
    else if (line == "LONG?")
        reply = std::string(300, 'x') + "\n";
    else if (line == "BLOCK?")
        reply = block();
    else if (line == "PARTIAL?")
        reply = "abc";
    else if (line == "BYE") {
        ::shutdown(fd, SHUT_RDWR);
        return false;
    }
    if (!reply.empty())
        ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
    return true;
}
