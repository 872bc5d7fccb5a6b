// The table of VISA objects.
#include "objectTable.h"

namespace tsvisa {

ObjectTable &ObjectTable::instance()
{
    static ObjectTable table;
    return table;
}

ViObject ObjectTable::insert(const Entry &entry)
{
    // Numbers are not reused, so a stale number never reaches someone else's object;
    // 0 (VI_NULL) is skipped when the counter wraps.
    while (nextId_ == 0 || entries_.count(nextId_))
        ++nextId_;
    const ViObject id = nextId_++;
    entries_[id] = entry;
    return id;
}

ViSession ObjectTable::addManager()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return insert(Entry());
}

ViFindList ObjectTable::addFindList(ViSession manager, std::shared_ptr<FindList> list)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!entries_.count(manager))
        return 0;
    Entry entry;
    entry.manager = manager;
    entry.findList = std::move(list);
    return insert(entry);
}

ViSession ObjectTable::addSession(ViSession manager, std::shared_ptr<InstrSession> session)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!entries_.count(manager))
        return 0;
    Entry entry;
    entry.manager = manager;
    entry.session = std::move(session);
    return insert(entry);
}

bool ObjectTable::contains(ViObject object) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.count(object) != 0;
}

bool ObjectTable::isManager(ViObject object) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = entries_.find(object);
    return it != entries_.end() && it->second.manager == 0;
}

std::shared_ptr<FindList> ObjectTable::findList(ViObject object) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = entries_.find(object);
    return it == entries_.end() ? nullptr : it->second.findList;
}

std::shared_ptr<InstrSession> ObjectTable::session(ViObject object) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = entries_.find(object);
    return it == entries_.end() ? nullptr : it->second.session;
}

bool ObjectTable::remove(ViObject object, std::vector<std::shared_ptr<InstrSession>> *sessions)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = entries_.find(object);
    if (it == entries_.end())
        return false;
    const bool isManager = it->second.manager == 0;
    if (it->second.session)
        sessions->push_back(it->second.session);
    entries_.erase(it);
    if (!isManager)
        return true;
    for (auto child = entries_.begin(); child != entries_.end();) {
        if (child->second.manager != object) {
            ++child;
            continue;
        }
        if (child->second.session)
            sessions->push_back(child->second.session);
        child = entries_.erase(child);
    }
    return true;
}

} // namespace tsvisa
