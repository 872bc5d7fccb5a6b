// Failure rules by command name.
#include "faultInjector.h"

namespace tssim {

void FaultInjector::addFailure(const std::string &name, int code, long long times)
{
    m_failures[name] = Failure{code, times};
}

int FaultInjector::takeFailure(const std::string &entryName)
{
    auto it = m_failures.find(entryName);
    if (it == m_failures.end() && !entryName.empty() && entryName.back() == '?')
        it = m_failures.find(entryName.substr(0, entryName.size() - 1));
    if (it == m_failures.end())
        return 0;
    const int code = it->second.code;
    if (it->second.remaining > 0 && --it->second.remaining == 0)
        m_failures.erase(it);
    return code;
}

} // namespace tssim
