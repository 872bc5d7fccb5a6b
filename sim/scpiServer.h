// The raw SCPI port: a poll-based accept loop and one thread per connection. Each
// connection has its own ScpiSession; messages go to the handler one line at a time.
#ifndef TSSIM_SCPISERVER_H
#define TSSIM_SCPISERVER_H

#include "instrumentCore.h"
#include "scpiSession.h"

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace tssim {

class ScpiServer {
public:
    enum { MaxMessage = 65536 }; // longer lines are discarded with -223 "Too much data"
    using Handler = std::function<MessageResult(ScpiSession &, const std::string &)>;

    explicit ScpiServer(Handler handler);
    ~ScpiServer();

    bool start(const std::string &address, uint16_t port, std::string *error);
    // Closes the listener and every connection and joins all threads. Called by the owner
    // only (not from a connection thread).
    void stop();
    // Closes every connection; new ones are still accepted.
    void dropConnections();

private:
    struct Connection {
        int fd = -1;           // -1 once closed; guarded by connectionsMutex_
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void acceptLoop();
    void serve(Connection *connection);
    // Splits received bytes into lines; false when the connection is to end.
    bool handleBytes(Connection *connection, ScpiSession &session, std::string *pending, bool *discarding);
    bool handleLine(Connection *connection, ScpiSession &session, std::string line);
    void reapFinished();

    Handler handler_;
    int listenFd_ = -1;
    int wake_[2] = {-1, -1};
    std::thread acceptThread_;
    std::atomic<bool> stopping_{false};
    std::mutex connectionsMutex_; // protects connections_ and each Connection::fd
    std::list<std::unique_ptr<Connection>> connections_;
};

} // namespace tssim

#endif
