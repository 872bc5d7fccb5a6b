// One of the instrument's two disks (RAM disk, hard disk): data files with their bytes and
// dates, kept in memory and, for a disk with a folder, written through to that folder.
#ifndef TSSIM_STORAGEDISK_H
#define TSSIM_STORAGEDISK_H

#include <map>
#include <string>

namespace tssim {

class StorageDisk {
public:
    // location: "RAM" or "HD" (the file list's location field); folder empty: memory only.
    StorageDisk(const std::string &location, const std::string &infoText, long long totalKB,
                const std::string &folder);
    ~StorageDisk();
    StorageDisk(const StorageDisk &) = delete;
    StorageDisk &operator=(const StorageDisk &) = delete;

    const std::string &location() const { return m_location; }
    const std::string &infoText() const { return m_info; }
    long long totalKB() const { return m_totalKB; }
    long long freeKB() const;
    // The test hook that fills a disk: its size becomes what is used plus freeKB.
    void setFreeKB(long long freeKB);
    bool hasFolder() const { return !m_folder.empty(); }
    bool isEmpty() const { return m_files.empty(); }

    // false when the name is taken or not allowed, or the disk is full.
    bool create(const std::string &name, const std::string &bytes, long long timeNs);
    // A test hook: a file of any name, even one the instrument would refuse (a path, a
    // control byte), kept in memory only so that no such name ever reaches the folder.
    // Replaces a file of the same name; false when the disk is full.
    bool place(const std::string &name, const std::string &bytes, long long timeNs);
    // A test hook: raw text added to the end of every list, as a faulty instrument might send.
    void addListText(const std::string &text) { m_extraList += text; }
    // false when the file is missing or the disk is full (nothing is then written). The
    // folder gets the bytes on the next flush(), so a fast acquisition writes in blocks.
    bool append(const std::string &name, const std::string &bytes);
    void flush();
    bool remove(const std::string &name);
    const std::string *contents(const std::string &name) const;
    bool exists(const std::string &name) const { return m_files.count(name) != 0; }

    // Lines "name,location,size,date\n", by name.
    std::string listText() const;

    // A file name the instrument may use: no separators, quotes, commas or control bytes.
    static bool validName(const std::string &name);
    static std::string dateText(long long timeNs);

private:
    struct File {
        std::string bytes;
        std::string date;
    };
    void loadFolder();
    std::string pathOf(const std::string &name) const;

    std::string m_location;
    std::string m_info;
    long long m_totalKB;
    std::string m_folder;
    long long m_usedBytes = 0;
    std::map<std::string, File> m_files;
    std::map<std::string, std::string> m_unwritten; // appended bytes the folder has not got yet
    std::string m_extraList;
};

} // namespace tssim

#endif
