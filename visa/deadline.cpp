// Deadlines of VISA operations.
#include "deadline.h"

#include "visa.h"

#include <climits>

namespace tsvisa {

Deadline::Deadline(ViUInt32 timeoutMs)
    : at_(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)),
      infinite_(timeoutMs == VI_TMO_INFINITE)
{
}

int Deadline::remainingMs() const
{
    if (infinite_)
        return -1;
    const auto left = at_ - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

} // namespace tsvisa
