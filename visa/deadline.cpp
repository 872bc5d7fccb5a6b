// Deadlines of VISA operations.
#include "deadline.h"

#include "visa.h"

#include <climits>

namespace tsvisa {

Deadline::Deadline(ViUInt32 timeoutMs)
    : m_at(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)),
      m_infinite(timeoutMs == VI_TMO_INFINITE)
{
}

int Deadline::remainingMs() const
{
    if (m_infinite)
        return -1;
    const auto left = m_at - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

} // namespace tsvisa
