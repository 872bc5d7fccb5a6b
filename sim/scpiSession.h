// What the instrument keeps per connection: the error queue and the event status register.
// Each connection has its own, so the polling thread's SYSTem:ERRor? never takes an
// error that belongs to the GUI's connection.
#ifndef TSSIM_SCPISESSION_H
#define TSSIM_SCPISESSION_H

#include <deque>
#include <string>

namespace tssim {

class ScpiSession {
public:
    enum { QueueSize = 32 };

    // Queues "<code>,\"<text>\"" (text may carry "; detail"); when the queue is full the
    // newest entry becomes -350 "Queue overflow".
    void pushError(int code, const std::string &text);
    // Oldest entry, or 0,"No error".
    std::string popError();
    bool hasErrors() const { return !m_queue.empty(); }
    void clear(); // *CLS

    int eventStatus() const { return m_esr; }
    int takeEventStatus(); // *ESR? reads and clears
    void setOperationComplete() { m_esr |= 1; }

    // Standard text of a SCPI or instrument error code.
    static std::string standardText(int code);

private:
    std::deque<std::string> m_queue;
    int m_esr = 0;
};

} // namespace tssim

#endif
