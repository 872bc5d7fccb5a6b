// The process-wide table of open driver sessions, keyed by the handle given to callers.
#ifndef TS4720_SESSIONREGISTRY_H
#define TS4720_SESSIONREGISTRY_H

#include "visatype.h"

#include <map>
#include <memory>
#include <mutex>

namespace ts4720 {

class DriverSession;

class SessionRegistry {
public:
    static SessionRegistry &instance();

    // A new session with a handle never used before in this process.
    std::shared_ptr<DriverSession> create();
    void add(const std::shared_ptr<DriverSession> &session);
    std::shared_ptr<DriverSession> find(ViSession handle);
    std::shared_ptr<DriverSession> take(ViSession handle); // removes it

private:
    std::mutex m_mutex; // protects m_sessions and m_next
    std::map<ViSession, std::shared_ptr<DriverSession>> m_sessions;
    ViSession m_next = 0x47200001;
};

} // namespace ts4720

#endif
