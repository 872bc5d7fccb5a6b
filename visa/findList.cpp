// Find lists of viFindRsrc.
#include "findList.h"

namespace tsvisa {

FindList::FindList(std::vector<std::string> descriptors) : m_descriptors(std::move(descriptors)) {}

bool FindList::next(std::string *descriptor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_next >= m_descriptors.size())
        return false;
    *descriptor = m_descriptors[m_next++];
    return true;
}

} // namespace tsvisa
