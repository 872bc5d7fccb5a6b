// Handles are counted up and never reused, so a closed handle stays invalid.
#include "sessionRegistry.h"

#include "driverSession.h"

namespace ts4720 {

SessionRegistry &SessionRegistry::instance()
{
    // Never destroyed: sessions left open at exit must not be closed after the VISA
    // library's own statics are gone.
    static SessionRegistry *registry = new SessionRegistry;
    return *registry;
}

std::shared_ptr<DriverSession> SessionRegistry::create()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    ViSession handle = m_next++;
    if (m_next == 0)
        m_next = 1;
    return std::make_shared<DriverSession>(handle);
}

void SessionRegistry::add(const std::shared_ptr<DriverSession> &session)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_sessions[session->handle] = session;
}

std::shared_ptr<DriverSession> SessionRegistry::find(ViSession handle)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    auto it = m_sessions.find(handle);
    return it == m_sessions.end() ? nullptr : it->second;
}

std::shared_ptr<DriverSession> SessionRegistry::take(ViSession handle)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    auto it = m_sessions.find(handle);
    if (it == m_sessions.end())
        return nullptr;
    std::shared_ptr<DriverSession> session = it->second;
    m_sessions.erase(it);
    return session;
}

} // namespace ts4720
