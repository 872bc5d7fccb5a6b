// The output file of an acquisition run (the panel's and the recorder's): the header once,
// then blocks of rows, each block written whole and flushed. The driver's thread writes, another
// thread may read the counts or close it at any moment; a closed file takes no more rows.
#ifndef TS4720_RECORDINGFILE_H
#define TS4720_RECORDINGFILE_H

#include "dataFileWriter.h"

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

struct recordingFileState {
    long long scans = 0;        // rows written
    long long bytes = 0;        // file size: header and whole rows
    std::int32_t lastSeconds = 0, lastNanoseconds = 0; // timestamp of the last row, when stored
    bool failed = false;        // a write failed: the file was cut back to its last whole row
    std::string error;          // why
};

class recordingFile {
public:
    recordingFile() = default;
    ~recordingFile();
    recordingFile(const recordingFile &) = delete;
    recordingFile &operator=(const recordingFile &) = delete;

    // Creates the file (an existing one only with replace) and writes the header and the
    // column line. false with a reason.
    bool create(const std::string &path, bool replace, const dataFileSettings &settings,
                const dataFileColumns &columns, std::string *error);
    // Appends one block laid out as ts4720_readAcquisition writes it. false when the file
    // is closed or the write failed.
    bool writeBlock(const double *data, const std::int32_t *timestamps, int scans);
    // Closes the file; later blocks are dropped. Any thread, any number of times.
    void close();
    // Closes and deletes the file (a run that never started).
    void discard();

    recordingFileState state() const;
    std::string path() const;

private:
    void failWrite(int error);

    mutable std::mutex m_mutex; // protects every member below
    std::FILE *m_file = nullptr;
    std::string m_path;
    dataFileColumns m_columns;
    std::vector<char> m_rows;   // one block's text, kept so that blocks allocate nothing
    recordingFileState m_state;
};

#endif
