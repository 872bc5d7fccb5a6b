// The process-wide table of VISA objects: resource managers, find lists and sessions,
// each under the number the caller holds.
#ifndef TSVISA_OBJECTTABLE_H
#define TSVISA_OBJECTTABLE_H

#include "findList.h"
#include "instrSession.h"
#include "visatype.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tsvisa {

class ObjectTable {
public:
    static ObjectTable &instance();

    ViSession addManager();
    // 0 when the manager was closed meanwhile (the object is then dropped).
    ViFindList addFindList(ViSession manager, std::shared_ptr<FindList> list);
    ViSession addSession(ViSession manager, std::shared_ptr<InstrSession> session);

    bool contains(ViObject object) const;
    bool isManager(ViObject object) const;
    std::shared_ptr<FindList> findList(ViObject object) const;
    std::shared_ptr<InstrSession> session(ViObject object) const;

    // Removes the object and, for a manager, everything opened through it. Returns false
    // for an unknown object; *sessions receives the removed sessions, for the caller to
    // shut down after the table's lock is released.
    bool remove(ViObject object, std::vector<std::shared_ptr<InstrSession>> *sessions);

private:
    struct Entry {
        ViSession manager = 0; // 0 for a manager itself
        std::shared_ptr<FindList> findList;
        std::shared_ptr<InstrSession> session;
    };

    ViObject insert(const Entry &entry);

    // Protects m_entries and m_nextId; held only for table look-ups, never during I/O.
    mutable std::mutex m_mutex;
    std::map<ViObject, Entry> m_entries;
    ViObject m_nextId = 1;
};

} // namespace tsvisa

#endif
