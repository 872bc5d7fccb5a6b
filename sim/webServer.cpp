// HTTP/1.0: every GET gets the status page; the connection closes after the reply.
#include "webServer.h"

#include "socketIo.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>

namespace tssim {

WebServer::WebServer(PageSource page) : m_page(std::move(page)) {}

WebServer::~WebServer()
{
    stop();
}

bool WebServer::start(const std::string &address, uint16_t port, std::string *error)
{
    m_listenFd = SocketIo::listenOn(address, port, error);
    if (m_listenFd < 0)
        return false;
    if (!SocketIo::makePipe(m_wake)) {
        SocketIo::close(m_listenFd);
        m_listenFd = -1;
        if (error)
            *error = "cannot create a pipe";
        return false;
    }
    m_spareFd = SocketIo::openSpare();
    m_thread = std::thread(&WebServer::run, this);
    return true;
}

uint16_t WebServer::port() const
{
    sockaddr_in bound = {};
    socklen_t length = sizeof bound;
    if (m_listenFd < 0 || ::getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&bound), &length) != 0)
        return 0;
    return ntohs(bound.sin_port);
}

void WebServer::stop()
{
    if (m_listenFd < 0)
        return;
    m_stopping = true;
    SocketIo::wake(m_wake[1]);
    if (m_thread.joinable())
        m_thread.join();
    SocketIo::close(m_listenFd);
    SocketIo::close(m_wake[0]);
    SocketIo::close(m_wake[1]);
    SocketIo::close(m_spareFd);
    m_listenFd = m_spareFd = -1;
}

void WebServer::run()
{
    while (!m_stopping) {
        const int fd = SocketIo::acceptWithin(m_listenFd, m_wake[0], 200, &m_spareFd);
        if (fd < 0)
            continue;
        answer(fd);
        SocketIo::close(fd);
    }
}

void WebServer::answer(int fd)
{
    std::string request;
    char buffer[2048];
    // The request head: at most 16 kB within two seconds in all, however it trickles in,
    // so that a slow client cannot keep the page from everyone else.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        const long n = SocketIo::receive(fd, buffer, sizeof buffer, static_cast<int>(left.count()));
        if (n == 0)
            return;
        if (n > 0)
            request.append(buffer, static_cast<size_t>(n));
    }
    std::string status = "200 OK";
    std::string body;
    if (request.compare(0, 4, "GET ") == 0) {
        body = m_page();
    } else {
        status = "405 Method Not Allowed";
        body = "<html><body>Only GET is served here.</body></html>\n";
    }
    SocketIo::sendAll(fd, "HTTP/1.0 " + status + "\r\nContent-Type: text/html; charset=iso-8859-1\r\n"
                          "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

} // namespace tssim
