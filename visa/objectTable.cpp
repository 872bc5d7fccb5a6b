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
    while (m_nextId == 0 || m_entries.count(m_nextId))
        ++m_nextId;
    const ViObject id = m_nextId++;
    m_entries[id] = entry;
    return id;
}

ViSession ObjectTable::addManager()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return insert(Entry());
}

ViFindList ObjectTable::addFindList(ViSession manager, std::shared_ptr<FindList> list)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_entries.count(manager))
        return 0;
    Entry entry;
    entry.manager = manager;
    entry.findList = std::move(list);
    return insert(entry);
}

ViSession ObjectTable::addSession(ViSession manager, std::shared_ptr<InstrSession> session)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_entries.count(manager))
        return 0;
    Entry entry;
    entry.manager = manager;
    entry.session = std::move(session);
    return insert(entry);
}

bool ObjectTable::contains(ViObject object) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries.count(object) != 0;
}

bool ObjectTable::isManager(ViObject object) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_entries.find(object);
    return it != m_entries.end() && it->second.manager == 0;
}

std::shared_ptr<FindList> ObjectTable::findList(ViObject object) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_entries.find(object);
    return it == m_entries.end() ? nullptr : it->second.findList;
}

std::shared_ptr<InstrSession> ObjectTable::session(ViObject object) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_entries.find(object);
    return it == m_entries.end() ? nullptr : it->second.session;
}

bool ObjectTable::remove(ViObject object, std::vector<std::shared_ptr<InstrSession>> *sessions)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_entries.find(object);
    if (it == m_entries.end())
        return false;
    const bool isManager = it->second.manager == 0;
    if (it->second.session)
        sessions->push_back(it->second.session);
    m_entries.erase(it);
    if (!isManager)
        return true;
    for (auto child = m_entries.begin(); child != m_entries.end();) {
        if (child->second.manager != object) {
            ++child;
            continue;
        }
        if (child->second.session)
            sessions->push_back(child->second.session);
        child = m_entries.erase(child);
    }
    return true;
}

} // namespace tsvisa
