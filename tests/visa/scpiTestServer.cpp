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
    if (mode_ != Mode::Backlogged) {
        acceptThread_ = std::thread(&ScpiTestServer::acceptLoop, this);
        return true;
    }
    for (int i = 0; i < 3; ++i) {
        clientFds_.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(clientFds_.back(), reinterpret_cast<sockaddr *>(&a), sizeof a);
    }
    ::usleep(100 * 1000); // lets the handshakes of the fillers complete
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
    ssize_t n;
    while ((n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) {
        input.append(chunk, size_t(n));
        for (size_t end; (end = input.find('\n')) != std::string::npos;) {
            const std::string line = input.substr(0, end);
            input.erase(0, end + 1);
            if (mode_ != Mode::Answer)
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
