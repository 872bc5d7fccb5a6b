// Download files: "<destination>.part" while the bytes arrive.
#include "downloadFile.h"

namespace ts4720 {

DownloadFile::DownloadFile(const std::string &destination)
    : m_destination(destination), m_temporary(destination + ".part")
{
}

DownloadFile::~DownloadFile()
{
    const bool created = m_file != nullptr || m_failed;
    if (m_file != nullptr)
        std::fclose(m_file);
    if (!m_done && created)
        std::remove(m_temporary.c_str());
}

bool DownloadFile::openOnce()
{
    if (m_file == nullptr && !m_failed) {
        m_file = std::fopen(m_temporary.c_str(), "wb");
        m_failed = m_file == nullptr;
    }
    return !m_failed;
}

bool DownloadFile::write(const char *data, size_t size)
{
    if (!openOnce() || std::fwrite(data, 1, size, m_file) != size) {
        m_failed = true;
        return false;
    }
    return true;
}

bool DownloadFile::commit()
{
    if (!openOnce()) // an empty file is still a file
        return false;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed) {
        m_failed = true;
        return false;
    }
    // Where rename does not replace an existing file, the old one goes first.
    if (std::rename(m_temporary.c_str(), m_destination.c_str()) != 0
        && (std::remove(m_destination.c_str()) != 0 || std::rename(m_temporary.c_str(), m_destination.c_str()) != 0)) {
        m_failed = true;
        return false;
    }
    m_done = true;
    return true;
}

} // namespace ts4720
