// The lying instrument on POSIX sockets.
#include "lyingInstrument.h"

#include "testInstrument.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {
tssim::Options honestOptions()
{
    tssim::Options options;
    options.webPort = -1;
    return options; // never started: it only executes messages in-process
}
} // namespace

LyingInstrument::LyingInstrument(int area) : m_address(testAddress(area)), m_instrument(honestOptions()) {}

LyingInstrument::~LyingInstrument()
{
    m_stopping = true;
    if (m_listenFd >= 0)
        ::shutdown(m_listenFd, SHUT_RDWR);
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int fd : m_clients)
            ::shutdown(fd, SHUT_RDWR);
    }
    for (std::thread &t : m_threads) // the accept thread has ended: no more are added
        t.join();
    for (int fd : m_clients)
        ::close(fd);
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

bool LyingInstrument::start()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(5025);
    if (::inet_pton(AF_INET, m_address.c_str(), &a.sin_addr) != 1
        || ::bind(m_listenFd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(m_listenFd, 16) != 0)
        return false;
    m_acceptThread = std::thread(&LyingInstrument::acceptLoop, this);
    return true;
}

void LyingInstrument::setRewrite(Rewrite rewrite)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rewrite = std::move(rewrite);
}

void LyingInstrument::setTrickle(size_t bytes, int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sliceBytes = bytes;
    m_sliceMs = ms;
}

void LyingInstrument::setStreamedBlock(const std::string &prefix, long long length, long long dropAfter)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blockPrefix = prefix;
    m_blockLength = length;
    m_blockDropAfter = dropAfter;
}

void LyingInstrument::acceptLoop()
{
    while (!m_stopping) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue; // the shutdown of the listener makes accept fail at once
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clients.push_back(fd);
        m_threads.emplace_back(&LyingInstrument::serve, this, fd);
    }
}

void LyingInstrument::serve(int fd)
{
    std::string input;
    char chunk[4096];
    ssize_t n;
    while (!m_stopping && (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) {
        input.append(chunk, size_t(n));
        for (size_t end; (end = input.find('\n')) != std::string::npos;) {
            const std::string message = input.substr(0, end);
            input.erase(0, end + 1);
            std::string prefix;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                prefix = m_blockPrefix;
            }
            if (!prefix.empty() && message.compare(0, prefix.size(), prefix) == 0) {
                if (!sendStreamedBlock(fd))
                    return;
                continue;
            }
            const std::string honest = m_instrument.command(message);
            Rewrite rewrite;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                rewrite = m_rewrite;
            }
            sendReply(fd, rewrite ? rewrite(message, honest) : honest.empty() ? honest : honest + "\n");
        }
    }
}

void LyingInstrument::sendReply(int fd, const std::string &bytes)
{
    size_t slice, ms;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        slice = m_sliceBytes ? m_sliceBytes : bytes.size();
        ms = size_t(m_sliceMs);
    }
    for (size_t done = 0; done < bytes.size() && !m_stopping;) {
        const ssize_t n = ::send(fd, bytes.data() + done, std::min(slice, bytes.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += size_t(n);
        m_sent += n;
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

// False when the connection was ended on purpose.
bool LyingInstrument::sendStreamedBlock(int fd)
{
    long long length, dropAfter;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        length = m_blockLength;
        dropAfter = m_blockDropAfter;
    }
    const std::string digits = std::to_string(length);
    sendReply(fd, "#" + std::to_string(digits.size()) + digits);
    std::string piece(65536, '\0');
    for (long long done = 0; done < length && !m_stopping;) {
        const long long n = std::min<long long>(static_cast<long long>(piece.size()), length - done);
        if (dropAfter >= 0 && done + n > dropAfter) {
            ::shutdown(fd, SHUT_RDWR);
            return false;
        }
        for (long long i = 0; i < n; ++i)
            piece[size_t(i)] = blockByte(done + i);
        sendReply(fd, piece.substr(0, size_t(n)));
        done += n;
    }
    sendReply(fd, "\n");
    return true;
}
