// Find lists of viFindRsrc.
#include "findList.h"

namespace tsvisa {

FindList::FindList(std::vector<std::string> descriptors) : descriptors_(std::move(descriptors)) {}

bool FindList::next(std::string *descriptor)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (next_ >= descriptors_.size())
        return false;
    *descriptor = descriptors_[next_++];
    return true;
}

} // namespace tsvisa
