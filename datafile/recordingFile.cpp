// The output file of a run.
#include "recordingFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

recordingFile::~recordingFile()
{
    close();
}

bool recordingFile::create(const std::string &path, bool replace, const dataFileSettings &settings,
                           const dataFileColumns &columns, std::string *error)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    // "x": never replace a file that appeared after the up-front checks.
    m_file = std::fopen(path.c_str(), replace ? "w" : "wx");
    if (!m_file) {
        *error = "cannot create '" + path + "': " + std::strerror(errno);
        return false;
    }
    m_path = path;
    m_columns = columns;
    m_state = recordingFileState();
    const std::string header = formatDataFileHeader(settings, columns);
    if (std::fwrite(header.data(), 1, header.size(), m_file) != header.size() || std::fflush(m_file) != 0) {
        *error = "cannot write '" + path + "': " + std::strerror(errno);
        std::fclose(m_file);
        m_file = nullptr;
        return false;
    }
    m_state.bytes = (long long)header.size();
    return true;
}

bool recordingFile::writeBlock(const double *data, const std::int32_t *timestamps, int scans)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (!m_file)
        return false;
    if (scans <= 0)
        return true;
    m_rows.clear();
    appendDataFileRows(m_rows, m_columns, data, timestamps, scans);
    if (std::fwrite(m_rows.data(), 1, m_rows.size(), m_file) != m_rows.size() || std::fflush(m_file) != 0) {
        failWrite(errno);
        return false;
    }
    m_state.scans += scans;
    m_state.bytes += (long long)m_rows.size();
    if (timestamps) {
        m_state.lastSeconds = timestamps[2 * (scans - 1)];
        m_state.lastNanoseconds = timestamps[2 * (scans - 1) + 1];
    }
    return true;
}

// A block that did not fit leaves at most part of a row behind: cut the file back to its
// last whole row, so that every reader still takes it.
void recordingFile::failWrite(int error)
{
    m_state.failed = true;
    m_state.error = std::strerror(error);
    std::fclose(m_file);
    m_file = nullptr;
    std::error_code ignored;
    std::filesystem::resize_file(m_path, std::uintmax_t(m_state.bytes), ignored);
}

void recordingFile::close()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_file && std::fclose(m_file) != 0 && !m_state.failed) {
        m_state.failed = true;
        m_state.error = std::strerror(errno);
    }
    m_file = nullptr;
}

void recordingFile::discard()
{
    close();
    std::lock_guard<std::mutex> guard(m_mutex);
    if (!m_path.empty())
        std::remove(m_path.c_str());
    m_path.clear();
}

recordingFileState recordingFile::state() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_state;
}

std::string recordingFile::path() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_path;
}
