// Files of one disk; sizes count in bytes, capacity in kB (1024 bytes).
#include "storageDisk.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tssim {

StorageDisk::StorageDisk(const std::string &location, const std::string &infoText, long long totalKB,
                         const std::string &folder)
    : m_location(location), m_info(infoText), m_totalKB(totalKB), m_folder(folder)
{
    if (!m_folder.empty()) {
        QDir().mkpath(QString::fromStdString(m_folder));
        loadFolder();
    }
}

StorageDisk::~StorageDisk()
{
    flush();
}

void StorageDisk::loadFolder()
{
    const QDir dir(QString::fromStdString(m_folder));
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const std::string name = info.fileName().toLatin1().toStdString();
        QFile file(info.filePath());
        if (!validName(name) || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        File f;
        f.bytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        f.date = dateText(info.lastModified().toMSecsSinceEpoch() * 1000000LL);
        m_usedBytes += static_cast<long long>(f.bytes.size());
        m_files[name] = f;
    }
}

long long StorageDisk::freeKB() const
{
    const long long usedKB = (m_usedBytes + 1023) / 1024;
    return usedKB >= m_totalKB ? 0 : m_totalKB - usedKB;
}

void StorageDisk::setFreeKB(long long freeKB)
{
    m_totalKB = (m_usedBytes + 1023) / 1024 + freeKB;
}

std::string StorageDisk::pathOf(const std::string &name) const
{
    return m_folder + "/" + name;
}

bool StorageDisk::create(const std::string &name, const std::string &bytes, long long timeNs)
{
    if (!validName(name) || exists(name) || (m_usedBytes + static_cast<long long>(bytes.size()) + 1023) / 1024 > m_totalKB)
        return false;
    if (hasFolder()) {
        QFile file(QString::fromStdString(pathOf(name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
            return false;
        // The listed date survives a restart: it is read back from the file's time.
        file.flush();
        file.setFileTime(QDateTime::fromMSecsSinceEpoch(timeNs / 1000000LL, Qt::UTC), QFileDevice::FileModificationTime);
    }
    m_files[name] = File{bytes, dateText(timeNs)};
    m_usedBytes += static_cast<long long>(bytes.size());
    return true;
}

bool StorageDisk::place(const std::string &name, const std::string &bytes, long long timeNs)
{
    const std::string *old = contents(name);
    const long long oldSize = old ? static_cast<long long>(old->size()) : 0;
    if ((m_usedBytes - oldSize + static_cast<long long>(bytes.size()) + 1023) / 1024 > m_totalKB)
        return false;
    m_files[name] = File{bytes, dateText(timeNs)};
    m_usedBytes += static_cast<long long>(bytes.size()) - oldSize;
    return true;
}

bool StorageDisk::append(const std::string &name, const std::string &bytes)
{
    auto it = m_files.find(name);
    if (it == m_files.end() || (m_usedBytes + static_cast<long long>(bytes.size()) + 1023) / 1024 > m_totalKB)
        return false;
    if (hasFolder())
        m_unwritten[name] += bytes;
    it->second.bytes += bytes;
    m_usedBytes += static_cast<long long>(bytes.size());
    return true;
}

void StorageDisk::flush()
{
    for (const auto &entry : m_unwritten) {
        QFile file(QString::fromStdString(pathOf(entry.first)));
        // A folder that refuses the bytes leaves the disk's own copy complete.
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(entry.second.data(), static_cast<qint64>(entry.second.size()));
    }
    m_unwritten.clear();
}

bool StorageDisk::remove(const std::string &name)
{
    auto it = m_files.find(name);
    if (it == m_files.end())
        return false;
    // A placed file lives in memory only; its name may be one the folder must never see.
    if (hasFolder() && validName(name)) {
        const QString path = QString::fromStdString(pathOf(name));
        if (QFile::exists(path) && !QFile::remove(path))
            return false;
    }
    m_unwritten.erase(name);
    m_usedBytes -= static_cast<long long>(it->second.bytes.size());
    m_files.erase(it);
    return true;
}

const std::string *StorageDisk::contents(const std::string &name) const
{
    auto it = m_files.find(name);
    return it == m_files.end() ? nullptr : &it->second.bytes;
}

std::string StorageDisk::listText() const
{
    std::string out;
    for (const auto &entry : m_files)
        out += entry.first + "," + m_location + "," + std::to_string(entry.second.bytes.size()) + "," +
               entry.second.date + "\n";
    return out + m_extraList;
}

bool StorageDisk::validName(const std::string &name)
{
    if (name.empty() || name.size() > 200 || name == "." || name == "..")
        return false;
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u >= 127 || c == '/' || c == '\\' || c == ',' || c == '"' || c == ':')
            return false;
    }
    return true;
}

std::string StorageDisk::dateText(long long timeNs)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(timeNs / 1000000LL, Qt::UTC);
    return t.toString("yyyy-MM-dd hh:mm:ss").toStdString();
}

} // namespace tssim
