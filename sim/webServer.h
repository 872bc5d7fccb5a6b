// The instrument's web interface: a status page over HTTP, one request at a time, each
// with a deadline.
#ifndef TSSIM_WEBSERVER_H
#define TSSIM_WEBSERVER_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace tssim {

class WebServer {
public:
    using PageSource = std::function<std::string()>;

    explicit WebServer(PageSource page);
    ~WebServer();

    bool start(const std::string &address, uint16_t port, std::string *error);
    void stop(); // closes the listener and joins the thread; owner only
    bool serving() const { return m_listenFd >= 0; }
    uint16_t port() const; // the bound port (a free one when started on port 0); 0 when not serving

private:
    void run();
    void answer(int fd);

    PageSource m_page;
    int m_listenFd = -1;
    int m_wake[2] = {-1, -1};
    int m_spareFd = -1; // held back to refuse a client when no descriptor is left
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
};

} // namespace tssim

#endif
