// The raw SCPI port: a poll-based accept loop and one thread per connection. Each
// connection has its own ScpiSession; messages go to the handler one line at a time.
// A network outage can be staged: the port stops listening and every connection closes.
// Greedy clients cannot exhaust it: connections are capped, a client that keeps asking
// without reading its replies is dropped, and running out of descriptors refuses new
// clients instead of spinning.
#ifndef TSSIM_SCPISERVER_H
#define TSSIM_SCPISERVER_H

#include "instrumentCore.h"
#include "outbox.h"
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
    enum {
        MaxMessage = 65536,             // longer lines are discarded with -223 "Too much data"
        MaxConnections = 16,            // more are closed as soon as they are accepted
        MaxUnreadOutput = 1 << 20,      // replies not taken beyond this drop the connection
    };
    using Handler = std::function<MessageResult(ScpiSession &, const std::string &)>;

    explicit ScpiServer(Handler handler);
    ~ScpiServer();

    bool start(const std::string &address, uint16_t port, std::string *error);
    // Closes the listener and every connection and joins all threads. Called by the owner
    // only (not from a connection thread).
    void stop();
    // Closes every connection; new ones are still accepted.
    void dropConnections();
    // Closes every connection and refuses new ones (the port does not listen) for ms
    // milliseconds; 0 ends an outage at once.
    void takeDown(int ms);

private:
    struct Connection {
        int fd = -1;           // -1 once closed; guarded by m_connectionsMutex
        std::thread thread;
        std::atomic<bool> done{false};
    };

    // What a message asked for once its reply is out.
    struct AfterReply {
        bool drop = false; // close every connection
        int downMs = -1;   // take the network down for that long
        bool any() const { return drop || downMs >= 0; }
    };

    void acceptLoop();
    bool networkDown() const;
    void waitWhileDown();
    void serve(Connection *connection);
    void admit(int fd);
    // Run the complete lines; false when the connection is to end.
    bool handleBytes(ScpiSession &session, std::string *pending, bool *discarding, Outbox *outbox, AfterReply *after);
    bool handleLine(ScpiSession &session, std::string line, Outbox *outbox, AfterReply *after);
    void reapFinished();

    Handler m_handler;
    std::string m_address;
    uint16_t m_port = 0;
    bool m_running = false; // between start() and stop(); owner only
    int m_listenFd = -1;    // -1 while the network is down; the accept thread's once started
    int m_wake[2] = {-1, -1};
    int m_spareFd = -1; // held back to refuse a client when no descriptor is left
    std::thread m_acceptThread;
    std::atomic<bool> m_stopping{false};
    std::atomic<long long> m_downUntilMs{0}; // steady-clock milliseconds; the network is down before it
    std::mutex m_connectionsMutex; // protects m_connections and each Connection::fd
    std::list<std::unique_ptr<Connection>> m_connections;
};

} // namespace tssim

#endif
