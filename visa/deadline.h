// A point in time by which a VISA operation must end; VI_TMO_INFINITE never comes.
#ifndef TSVISA_DEADLINE_H
#define TSVISA_DEADLINE_H

#include "visatype.h"

#include <chrono>

namespace tsvisa {

class Deadline {
public:
    explicit Deadline(ViUInt32 timeoutMs);
    bool infinite() const { return m_infinite; }
    // Milliseconds left, rounded up, 0 once passed; -1 when infinite (as poll() takes it).
    int remainingMs() const;

private:
    std::chrono::steady_clock::time_point m_at;
    bool m_infinite;
};

} // namespace tsvisa

#endif
