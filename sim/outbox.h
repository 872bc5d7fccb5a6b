// The replies a connection has produced and its client has not taken yet.
#ifndef TSSIM_OUTBOX_H
#define TSSIM_OUTBOX_H

#include <string>

namespace tssim {

class Outbox {
public:
    bool empty() const { return m_sent == m_bytes.size(); }
    size_t unsent() const { return m_bytes.size() - m_sent; }
    void add(std::string bytes);
    // Hands the socket what it takes now; false when the connection failed.
    bool sendTo(int fd);
    // Sends everything, waiting at most timeoutMs for the client to take more.
    bool flush(int fd, int timeoutMs);

private:
    std::string m_bytes;
    size_t m_sent = 0;
};

} // namespace tssim

#endif
