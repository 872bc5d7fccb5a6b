// Output of a connection, sent as the client takes it.
#include "outbox.h"

#include "socketIo.h"

namespace tssim {

void Outbox::add(std::string bytes)
{
    if (empty()) {
        m_bytes = std::move(bytes);
        m_sent = 0;
        return;
    }
    m_bytes.erase(0, m_sent);
    m_sent = 0;
    m_bytes += bytes;
}

bool Outbox::sendTo(int fd)
{
    const long n = SocketIo::sendSome(fd, m_bytes.data() + m_sent, unsent());
    if (n < 0)
        return false;
    m_sent += static_cast<size_t>(n);
    if (empty()) {
        m_bytes.clear();
        m_sent = 0;
    }
    return true;
}

bool Outbox::flush(int fd, int timeoutMs)
{
    const bool ok = SocketIo::sendAll(fd, m_bytes.substr(m_sent), timeoutMs);
    m_bytes.clear();
    m_sent = 0;
    return ok;
}

} // namespace tssim
