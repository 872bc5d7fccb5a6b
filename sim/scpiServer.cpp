// Connections: a line is one message; the reply (if any) ends with "\n".
#include "scpiServer.h"

#include "socketIo.h"

#include <chrono>

namespace tssim {

ScpiServer::ScpiServer(Handler handler) : m_handler(std::move(handler)) {}

ScpiServer::~ScpiServer()
{
    stop();
}

bool ScpiServer::start(const std::string &address, uint16_t port, std::string *error)
{
    if (m_listenFd >= 0)
        return true;
    m_listenFd = SocketIo::listenOn(address, port, error);
    if (m_listenFd < 0)
        return false;
    if (!SocketIo::makePipe(m_wake)) {
        if (error)
            *error = "cannot create a pipe";
        SocketIo::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    m_stopping = false;
    m_spareFd = SocketIo::openSpare();
    m_acceptThread = std::thread(&ScpiServer::acceptLoop, this);
    return true;
}

void ScpiServer::stop()
{
    if (m_listenFd < 0)
        return;
    m_stopping = true;
    SocketIo::wake(m_wake[1]);
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    dropConnections();
    std::list<std::unique_ptr<Connection>> all;
    {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        all.swap(m_connections);
    }
    for (auto &c : all)
        if (c->thread.joinable())
            c->thread.join();
    SocketIo::close(m_listenFd);
    SocketIo::close(m_wake[0]);
    SocketIo::close(m_wake[1]);
    SocketIo::close(m_spareFd);
    m_listenFd = m_spareFd = -1;
    m_wake[0] = m_wake[1] = -1;
}

void ScpiServer::dropConnections()
{
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    for (auto &c : m_connections)
        if (c->fd >= 0)
            SocketIo::shutdownBoth(c->fd);
}

void ScpiServer::acceptLoop()
{
    while (!m_stopping) {
        const int fd = SocketIo::acceptWithin(m_listenFd, m_wake[0], 200, &m_spareFd);
        reapFinished();
        if (fd >= 0)
            admit(fd);
    }
}

void ScpiServer::admit(int fd)
{
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    if (m_connections.size() >= MaxConnections) {
        SocketIo::close(fd); // the client sees its connection closed at once
        return;
    }
    m_connections.emplace_back(new Connection);
    Connection *c = m_connections.back().get();
    c->fd = fd;
    c->thread = std::thread(&ScpiServer::serve, this, c);
}

void ScpiServer::reapFinished()
{
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        for (auto it = m_connections.begin(); it != m_connections.end();) {
            if ((*it)->done) {
                finished.push_back(std::move(*it));
                it = m_connections.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto &c : finished)
        c->thread.join();
}

void ScpiServer::serve(Connection *connection)
{
    ScpiSession session;
    Outbox outbox;
    std::string pending;
    bool discarding = false;
    int fd = -1;
    {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        fd = connection->fd;
    }
    char buffer[65536];
    while (!m_stopping) {
        bool readable = false, writable = false;
        if (!SocketIo::waitFor(fd, !outbox.empty(), 200, &readable, &writable))
            break;
        if (writable && !outbox.sendTo(fd))
            break;
        if (!readable)
            continue;
        const long n = SocketIo::receive(fd, buffer, sizeof buffer, 0);
        if (n == 0)
            break;
        if (n < 0)
            continue;
        pending.append(buffer, static_cast<size_t>(n));
        bool drop = false;
        if (!handleBytes(session, &pending, &discarding, &outbox, &drop))
            break;
        if (drop) {
            // SIMulation:DROP: its reply goes out first, then every connection is closed.
            outbox.flush(fd, 2000);
            dropConnections();
            continue;
        }
        if (outbox.unsent() > 0 && !outbox.sendTo(fd))
            break;
    }
    {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        SocketIo::close(connection->fd);
        connection->fd = -1;
    }
    connection->done = true;
}

bool ScpiServer::handleBytes(ScpiSession &session, std::string *pending, bool *discarding, Outbox *outbox,
                             bool *drop)
{
    size_t newline;
    while (!*drop && (newline = pending->find('\n')) != std::string::npos) {
        std::string line = pending->substr(0, newline);
        pending->erase(0, newline + 1);
        if (*discarding) {
            *discarding = false; // the end of the overlong line
            continue;
        }
        if (line.size() > MaxMessage) {
            session.pushError(-223, "Too much data; message longer than 65536 bytes");
            continue;
        }
        if (!handleLine(session, std::move(line), outbox, drop))
            return false;
    }
    if (pending->size() > MaxMessage) {
        if (!*discarding)
            session.pushError(-223, "Too much data; message longer than 65536 bytes");
        *discarding = true;
        pending->clear();
    }
    return true;
}

bool ScpiServer::handleLine(ScpiSession &session, std::string line, Outbox *outbox, bool *drop)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos)
        return true;
    // A client that keeps asking without reading its replies is dropped rather than have
    // them pile up here.
    if (outbox->unsent() > MaxUnreadOutput)
        return false;
    MessageResult result = m_handler(session, line);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(result.delayMs);
    while (!m_stopping && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (result.hasReply) {
        result.reply += '\n';
        outbox->add(std::move(result.reply));
    }
    *drop = result.drop;
    return true;
}

} // namespace tssim
