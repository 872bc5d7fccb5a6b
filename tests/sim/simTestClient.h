// A plain blocking SCPI client for the simulator's tests, usable from any thread.
#ifndef SIMTESTCLIENT_H
#define SIMTESTCLIENT_H

#include <cstdint>
#include <string>
#include <vector>

class SimTestClient {
public:
    SimTestClient() = default;
    ~SimTestClient();
    SimTestClient(const SimTestClient &) = delete;
    SimTestClient &operator=(const SimTestClient &) = delete;

    bool connectTo(const std::string &address, uint16_t port = 5025);
    // False when the peer closed, or took nothing for timeoutMs.
    bool send(const std::string &bytes, int timeoutMs = 5000);
    // One reply line without its "\n"; false when none came within timeoutMs or the peer closed.
    bool readLine(std::string *line, int timeoutMs = 5000);
    bool query(const std::string &message, std::string *reply, int timeoutMs = 5000);
    // Sends a block query and returns the block's bytes.
    bool queryBlock(const std::string &message, std::string *bytes);
    // True when the instrument closed the connection (after whatever it still sent) within
    // timeoutMs of silence.
    bool closedByPeer(int timeoutMs = 5000);

private:
    // Reads more bytes into m_buffer; false on timeout or end of stream.
    bool fill(int timeoutMs);

    int m_fd = -1;
    std::string m_buffer;
};

// The bytes of a definite-length block at the start of text (an in-process reply); false
// when the text is not one.
bool blockPayload(const std::string &text, std::string *bytes);
std::vector<double> doublesOf(const std::string &bytes);

#endif
