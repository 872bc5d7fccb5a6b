// HTTP/1.0: every GET gets the status page; the connection closes after the reply.
#include "webServer.h"

#include "socketIo.h"

#include <chrono>

namespace tssim {

WebServer::WebServer(PageSource page) : page_(std::move(page)) {}

WebServer::~WebServer()
{
    stop();
}

bool WebServer::start(const std::string &address, uint16_t port, std::string *error)
{
    listenFd_ = SocketIo::listenOn(address, port, error);
    if (listenFd_ < 0)
        return false;
    if (!SocketIo::makePipe(wake_)) {
        SocketIo::close(listenFd_);
        listenFd_ = -1;
        if (error)
            *error = "cannot create a pipe";
        return false;
    }
    spareFd_ = SocketIo::openSpare();
    thread_ = std::thread(&WebServer::run, this);
    return true;
}

void WebServer::stop()
{
    if (listenFd_ < 0)
        return;
    stopping_ = true;
    SocketIo::wake(wake_[1]);
    if (thread_.joinable())
        thread_.join();
    SocketIo::close(listenFd_);
    SocketIo::close(wake_[0]);
    SocketIo::close(wake_[1]);
    SocketIo::close(spareFd_);
    listenFd_ = spareFd_ = -1;
}

void WebServer::run()
{
    while (!stopping_) {
        const int fd = SocketIo::acceptWithin(listenFd_, wake_[0], 200, &spareFd_);
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
        body = page_();
    } else {
        status = "405 Method Not Allowed";
        body = "<html><body>Only GET is served here.</body></html>\n";
    }
    SocketIo::sendAll(fd, "HTTP/1.0 " + status + "\r\nContent-Type: text/html; charset=iso-8859-1\r\n"
                          "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

} // namespace tssim
