// The result of one viFindRsrc call, handed out one descriptor at a time by viFindNext.
#ifndef TSVISA_FINDLIST_H
#define TSVISA_FINDLIST_H

#include <mutex>
#include <string>
#include <vector>

namespace tsvisa {

class FindList {
public:
    // The first descriptor is handed out by viFindRsrc itself.
    explicit FindList(std::vector<std::string> descriptors);
    // The next descriptor not yet handed out; false when none is left.
    bool next(std::string *descriptor);

private:
    const std::vector<std::string> m_descriptors;
    std::mutex m_mutex; // protects m_next
    size_t m_next = 1;
};

} // namespace tsvisa

#endif
