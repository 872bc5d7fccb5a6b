// Failure rules by command name.
#include "faultInjector.h"

namespace tssim {

void FaultInjector::addFailure(const std::string &name, int code, long long times)
{
    failures_[name] = Failure{code, times};
}

int FaultInjector::takeFailure(const std::string &entryName)
{
    auto it = failures_.find(entryName);
    if (it == failures_.end() && !entryName.empty() && entryName.back() == '?')
        it = failures_.find(entryName.substr(0, entryName.size() - 1));
    if (it == failures_.end())
        return 0;
    const int code = it->second.code;
    if (it->second.remaining > 0 && --it->second.remaining == 0)
        failures_.erase(it);
    return code;
}

} // namespace tssim
