#include "sessionCall.h"

#include "sessionRegistry.h"
#include "ts4720.h"

namespace ts4720 {

SessionCall::SessionCall(ViSession vi)
    : m_session(SessionRegistry::instance().find(vi))
{
    if (!m_session) {
        m_status = TS4720_ERROR_INV_SESSION;
        return;
    }
    // Fails at once while the acquisition thread reconnects, instead of queueing behind
    // its attempts.
    if (m_session->reconnecting && !m_session->worker.onWorkerThread()) {
        m_status = TS4720_ERROR_RECONNECTING;
        return;
    }
    m_guard = std::unique_lock<std::mutex>(m_session->lock);
    if (m_session->closed) {
        m_status = TS4720_ERROR_INV_SESSION;
        return;
    }
    // The acquisition thread's own callback drains what is left; every other caller
    // learns once why the acquisition ended.
    if (m_session->endStatus != 0 && !m_session->worker.onWorkerThread()) {
        m_status = m_session->endStatus;
        m_session->endStatus = 0;
    }
}

void SessionCall::unlock()
{
    if (m_guard.owns_lock())
        m_guard.unlock();
}

ViStatus sessionCommand(ViSession vi, const std::string &message, bool changesLayout)
{
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    ViStatus status = call->command(message);
    if (changesLayout && status >= 0)
        call->layout.valid = false;
    return status;
}

ViStatus sessionQuery(ViSession vi, const std::string &message, std::string *unit)
{
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    return call->queryOne(message, unit);
}

} // namespace ts4720
