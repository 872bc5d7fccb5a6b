// The local file a download streams into: written under a temporary name beside the
// destination and renamed over it only when complete, so a failed download never leaves a
// partial file and never harms a file of the same name that was there before.
#ifndef TS4720_DOWNLOADFILE_H
#define TS4720_DOWNLOADFILE_H

#include <cstdio>
#include <string>

namespace ts4720 {

class DownloadFile {
public:
    explicit DownloadFile(const std::string &destination);
    // Removes the temporary file unless commit() succeeded.
    ~DownloadFile();
    DownloadFile(const DownloadFile &) = delete;
    DownloadFile &operator=(const DownloadFile &) = delete;

    // Appends bytes (creating the temporary file on first use); false when it cannot.
    bool write(const char *data, size_t size);
    // Closes the file and puts it in the destination's place; false when it cannot.
    bool commit();

private:
    bool openOnce();

    const std::string m_destination;
    const std::string m_temporary;
    std::FILE *m_file = nullptr;
    bool m_failed = false;
    bool m_done = false;
};

} // namespace ts4720

#endif
