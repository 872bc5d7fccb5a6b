// Whether a session's link answers. After a transport failure (no answer in time, connection
// refused or lost) the link is down: exchanges are refused at once instead of each waiting a
// timeout, except one attempt per retry interval, which goes out for real; any answer brings
// the link up again. The acquisition thread's reconnection can build on the same record.
#ifndef TS4720_LINKHEALTH_H
#define TS4720_LINKHEALTH_H

#include "visatype.h"

#include <chrono>

namespace ts4720 {

// Not thread-safe: used under the owning session's lock.
class LinkHealth {
public:
    using Clock = std::chrono::steady_clock;

    bool down() const { return m_down; }
    // The failure that took the link down.
    ViStatus cause() const { return m_cause; }
    // Whether an exchange may go out now; while down, the one attempt of the interval.
    bool mayTry(Clock::time_point now);
    // After an exchange: a transport failure takes the link down (the next attempt one
    // interval after this moment); anything else that came back is an answer.
    void noteOutcome(ViStatus status, Clock::time_point now);

private:
    bool m_down = false;
    ViStatus m_cause = 0;
    Clock::time_point m_nextTry;
};

// A status saying the transport failed: no answer in time, refused or lost connection.
bool isTransportFailure(ViStatus status);

} // namespace ts4720

#endif
