// A tiny line-based TCP server for the VISA tests, one thread per connection.
#ifndef TSVISA_TEST_SCPITESTSERVER_H
#define TSVISA_TEST_SCPITESTSERVER_H

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Silent accepts and never answers. Backlogged never accepts and keeps its short queue
// full, so a further connection attempt goes unanswered, like a host that is down.
// Answer mode replies (each message ends in '\n'): *IDN? idn(); TWO? "first" and "second"
// as two lines sent together; LONG? 300 'x'; BLOCK? block(), binary bytes holding '\n'
// and NUL; PARTIAL? "abc" without a terminator; BYE closes the connection.
class ScpiTestServer {
public:
    enum class Mode { Answer, Silent, Backlogged };

    ScpiTestServer(const std::string &address, uint16_t port, Mode mode = Mode::Answer);
    ~ScpiTestServer();

    bool start();
    static std::string idn() { return "Tarsel Ltd.,Korvan 4720,TEST0001,1.0\n"; }
    static std::string block() { return std::string("#212\x01\n\x02\0\n\n\x03\r\n\x04\x05\n\n", 17); }

private:
    void acceptLoop();
    void serve(int fd);
    static std::string answer(const std::string &line);

    const std::string m_address;
    const uint16_t m_port;
    const Mode m_mode;
    int m_listenFd = -1;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;
    std::mutex m_mutex; // protects m_clientFds and m_clientThreads
    std::vector<int> m_clientFds; // accepted connections, or the queue fillers when Backlogged
    std::vector<std::thread> m_clientThreads;
};

#endif
