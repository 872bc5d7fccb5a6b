// Files of one disk; sizes count in bytes, capacity in kB (1024 bytes).
#include "storageDisk.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tssim {

StorageDisk::StorageDisk(const std::string &location, const std::string &infoText, long long totalKB,
                         const std::string &folder)
    : location_(location), info_(infoText), totalKB_(totalKB), folder_(folder)
{
    if (!folder_.empty()) {
        QDir().mkpath(QString::fromStdString(folder_));
        loadFolder();
    }
}

StorageDisk::~StorageDisk()
{
    flush();
}

void StorageDisk::loadFolder()
{
    const QDir dir(QString::fromStdString(folder_));
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const std::string name = info.fileName().toLatin1().toStdString();
        QFile file(info.filePath());
        if (!validName(name) || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        File f;
        f.bytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        f.date = dateText(info.lastModified().toMSecsSinceEpoch() * 1000000LL);
        usedBytes_ += static_cast<long long>(f.bytes.size());
        files_[name] = f;
    }
}

long long StorageDisk::freeKB() const
{
    const long long usedKB = (usedBytes_ + 1023) / 1024;
    return usedKB >= totalKB_ ? 0 : totalKB_ - usedKB;
}

void StorageDisk::setFreeKB(long long freeKB)
{
    totalKB_ = (usedBytes_ + 1023) / 1024 + freeKB;
}

std::string StorageDisk::pathOf(const std::string &name) const
{
    return folder_ + "/" + name;
}

bool StorageDisk::create(const std::string &name, const std::string &bytes, long long timeNs)
{
    if (!validName(name) || exists(name) || (usedBytes_ + static_cast<long long>(bytes.size()) + 1023) / 1024 > totalKB_)
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
    files_[name] = File{bytes, dateText(timeNs)};
    usedBytes_ += static_cast<long long>(bytes.size());
    return true;
}

bool StorageDisk::append(const std::string &name, const std::string &bytes)
{
    auto it = files_.find(name);
    if (it == files_.end() || (usedBytes_ + static_cast<long long>(bytes.size()) + 1023) / 1024 > totalKB_)
        return false;
    if (hasFolder())
        unwritten_[name] += bytes;
    it->second.bytes += bytes;
    usedBytes_ += static_cast<long long>(bytes.size());
    return true;
}

void StorageDisk::flush()
{
    for (const auto &entry : unwritten_) {
        QFile file(QString::fromStdString(pathOf(entry.first)));
        // A folder that refuses the bytes leaves the disk's own copy complete.
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(entry.second.data(), static_cast<qint64>(entry.second.size()));
    }
    unwritten_.clear();
}

bool StorageDisk::remove(const std::string &name)
{
    auto it = files_.find(name);
    if (it == files_.end())
        return false;
    if (hasFolder() && !QFile::remove(QString::fromStdString(pathOf(name))))
        return false;
    unwritten_.erase(name);
    usedBytes_ -= static_cast<long long>(it->second.bytes.size());
    files_.erase(it);
    return true;
}

const std::string *StorageDisk::contents(const std::string &name) const
{
    auto it = files_.find(name);
    return it == files_.end() ? nullptr : &it->second.bytes;
}

std::string StorageDisk::listText() const
{
    std::string out;
    for (const auto &entry : files_)
        out += entry.first + "," + location_ + "," + std::to_string(entry.second.bytes.size()) + "," +
               entry.second.date + "\n";
    return out;
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
