// An instrument that lies, for the driver's tests: every message is executed by a simulated
// instrument in-process, then the test's rewrite decides what goes back over the network,
// optionally trickled in slices. Listens on a loopback address of the test's own.
#ifndef TESTS_DRIVER_LYINGINSTRUMENT_H
#define TESTS_DRIVER_LYINGINSTRUMENT_H

#include "simInstrument.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LyingInstrument {
public:
    // message: the line received; reply: the honest reply without "\n", empty when none.
    // Returns the bytes to send instead (with "\n" where one is wanted).
    using Rewrite = std::function<std::string(const std::string &message, const std::string &reply)>;

    explicit LyingInstrument(int area);
    ~LyingInstrument();
    bool start();

    std::string descriptor() const { return "TCPIP::" + m_address + "::INSTR"; }
    tssim::Instrument &instrument() { return m_instrument; } // the honest one, for its hooks

    void setRewrite(Rewrite rewrite);
    // Sends replies in slices of `bytes` every `ms` milliseconds.
    void setTrickle(size_t bytes, int ms);
    long long bytesSent() const { return m_sent; }
    // Answers messages starting with prefix with a block of `length` bytes (byte k is
    // k % 251) made as it is sent; with dropAfter >= 0 the connection ends after that many.
    void setStreamedBlock(const std::string &prefix, long long length, long long dropAfter = -1);
    static char blockByte(long long k) { return static_cast<char>(k % 251); }

private:
    void acceptLoop();
    void serve(int fd);
    void sendReply(int fd, const std::string &bytes);
    bool sendStreamedBlock(int fd);

    const std::string m_address;
    tssim::Instrument m_instrument;
    int m_listenFd = -1;
    std::atomic<bool> m_stopping{false};
    std::atomic<long long> m_sent{0};
    std::thread m_acceptThread;
    std::mutex m_mutex; // protects everything below
    Rewrite m_rewrite;
    size_t m_sliceBytes = 0;
    int m_sliceMs = 0;
    std::string m_blockPrefix;
    long long m_blockLength = 0, m_blockDropAfter = -1;
    std::vector<int> m_clients;
    std::vector<std::thread> m_threads;
};

#endif
