// The down state of a link and its retry rule.
#include "linkHealth.h"

#include "ts4720_ext.h"
#include "visa.h"

namespace ts4720 {

bool LinkHealth::mayTry(Clock::time_point now)
{
    if (!m_down)
        return true;
    if (now < m_nextTry)
        return false;
    // Calls waiting behind this one are refused again until the interval has passed.
    m_nextTry = now + std::chrono::milliseconds(TS4720_RETRY_INTERVAL_MS);
    return true;
}

void LinkHealth::noteOutcome(ViStatus status, Clock::time_point now)
{
    if (isTransportFailure(status)) {
        m_down = true;
        m_cause = status;
        m_nextTry = now + std::chrono::milliseconds(TS4720_RETRY_INTERVAL_MS);
    } else {
        m_down = false;
    }
}

bool isTransportFailure(ViStatus status)
{
    return status == VI_ERROR_TMO || status == VI_ERROR_CONN_LOST || status == VI_ERROR_RSRC_NFOUND
           || status == VI_ERROR_IO;
}

} // namespace ts4720
