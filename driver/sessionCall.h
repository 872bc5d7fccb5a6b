// The opening of every driver call on a session: find it, take its lock, and report a
// failure that ended the last acquisition once.
#ifndef TS4720_SESSIONCALL_H
#define TS4720_SESSIONCALL_H

#include "driverSession.h"

#include <memory>
#include <mutex>
#include <string>

namespace ts4720 {

class SessionCall {
public:
    explicit SessionCall(ViSession vi);

    // 0, TS4720_ERROR_INV_SESSION, TS4720_ERROR_RECONNECTING (the lock not taken), or the
    // failure that ended the last acquisition (then reported and forgotten).
    ViStatus status() const { return m_status; }
    DriverSession &session() { return *m_session; }
    DriverSession *operator->() { return m_session.get(); }
    std::shared_ptr<DriverSession> shared() const { return m_session; }
    // Lets the lock go before the call ends (joining the acquisition thread).
    void unlock();

private:
    std::shared_ptr<DriverSession> m_session;
    std::unique_lock<std::mutex> m_guard;
    ViStatus m_status = 0;
};

// One command, or one ASCII query with its reply unit, opened as every call is (above):
// the opening of most driver functions in one place. A command that may change the channels
// enabled or the data format, once executed, keeps the scans left of the last acquisition
// from being read in a layout the caller no longer expects.
ViStatus sessionCommand(ViSession vi, const std::string &message, bool changesLayout = false);
ViStatus sessionQuery(ViSession vi, const std::string &message, std::string *unit);

} // namespace ts4720

#endif
