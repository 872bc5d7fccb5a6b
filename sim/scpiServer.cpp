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

namespace {
long long steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

bool ScpiServer::start(const std::string &address, uint16_t port, std::string *error)
{
    if (m_running)
        return true;
    m_address = address;
    m_port = port;
    m_downUntilMs = 0;
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
    m_running = true;
    m_spareFd = SocketIo::openSpare();
    m_acceptThread = std::thread(&ScpiServer::acceptLoop, this);
    return true;
}

void ScpiServer::stop()
{
    if (!m_running)
        return;
    m_running = false;
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

void ScpiServer::takeDown(int ms)
{
    m_downUntilMs = steadyMs() + ms;
    dropConnections();
    SocketIo::wake(m_wake[1]); // the listener closes at once
}

bool ScpiServer::networkDown() const
{
    return steadyMs() < m_downUntilMs.load();
}

// No listener: clients are refused, as by a host that is gone.
void ScpiServer::waitWhileDown()
{
    SocketIo::close(m_listenFd);
    m_listenFd = -1;
    while (!m_stopping && networkDown())
        SocketIo::waitForWake(m_wake[0], 50);
    while (!m_stopping && m_listenFd < 0) {
        m_listenFd = SocketIo::listenOn(m_address, m_port, nullptr);
        if (m_listenFd < 0)
            SocketIo::waitForWake(m_wake[0], 200);
    }
}

void ScpiServer::acceptLoop()
{
    while (!m_stopping) {
        if (networkDown())
            waitWhileDown();
        if (m_stopping)
            break;
        const int fd = SocketIo::acceptWithin(m_listenFd, m_wake[0], 200, &m_spareFd);
        if (!m_stopping)
            SocketIo::drain(m_wake[0]);
        reapFinished();
        if (fd >= 0)
            admit(fd);
    }
}

void ScpiServer::admit(int fd)
{
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    if (m_connections.size() >= MaxConnections || networkDown()) {
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
        AfterReply after;
        if (!handleBytes(session, &pending, &discarding, &outbox, &after))
            break;
        if (after.any()) {
            // SIMulation:DROP or NETwork:DOWN: the reply goes out first, then every connection closes.
            outbox.flush(fd, 2000);
            if (after.downMs >= 0)
                takeDown(after.downMs);
            else
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
                             AfterReply *after)
{
    size_t newline;
    while (!after->any() && (newline = pending->find('\n')) != std::string::npos) {
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
        if (!handleLine(session, std::move(line), outbox, after))
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

bool ScpiServer::handleLine(ScpiSession &session, std::string line, Outbox *outbox, AfterReply *after)
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
    after->drop = result.drop;
    after->downMs = result.networkDownMs;
    return true;
}

} // namespace tssim
