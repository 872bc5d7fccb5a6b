// Output of a connection, sent as the client takes it.
#include "outbox.h"

#include "socketIo.h"

namespace tssim {

void Outbox::add(std::string bytes)
{
    if (empty()) {
        bytes_ = std::move(bytes);
        sent_ = 0;
        return;
    }
    bytes_.erase(0, sent_);
    sent_ = 0;
    bytes_ += bytes;
}

bool Outbox::sendTo(int fd)
{
    const long n = SocketIo::sendSome(fd, bytes_.data() + sent_, unsent());
    if (n < 0)
        return false;
    sent_ += static_cast<size_t>(n);
    if (empty()) {
        bytes_.clear();
        sent_ = 0;
    }
    return true;
}

bool Outbox::flush(int fd, int timeoutMs)
{
    const bool ok = SocketIo::sendAll(fd, bytes_.substr(sent_), timeoutMs);
    bytes_.clear();
    sent_ = 0;
    return ok;
}

} // namespace tssim
