// Reader of the acquisition data files (CSV): the header into the loaded-file record, and
// a range of rows into the time window and the channel windows. Numbers are read without
// regard to the locale.
#ifndef TS4720_DATAFILEREADER_H
#define TS4720_DATAFILEREADER_H

#include <atomic>
#include <cstdio>

struct loadedFileRecord;

// Clears the record and fills it from the file's header, column line and row count.
// Returns 0, or -1 when the file cannot be opened, its model line has a suffix other than
// "AA", "AB" or "AC", or it has no data rows.
int readDataFileHeader(const char *path, loadedFileRecord *record);
// The same on an open file (read from its current position); path is only stored.
int readDataFileHeader(std::FILE *file, const char *path, loadedFileRecord *record);

// Reads rows first .. first + count - 1 (counted from the first data row) of the file named
// in the record: row r's x value goes to timeWindow[r - first], its temperatures to
// channelWindows[w][r - first], w being the rank of the channel among the file's channels
// (window 0 holds the lowest channel number). A value missing from a short row, and every
// value after one that does not parse, is stored as not-a-number. Null windows are skipped.
// progress (may be null) follows the index of the last row read.
// Returns 0, or -1 when the file cannot be opened.
int readDataFileRows(const loadedFileRecord &record, int first, int count, double *timeWindow,
                     double **channelWindows, std::atomic<int> *progress);
int readDataFileRows(std::FILE *file, const loadedFileRecord &record, int first, int count,
                     double *timeWindow, double **channelWindows, std::atomic<int> *progress);

// A read of rows that can be stopped, and that says how far it got.
struct dataFileRowRead {
    // In: set from another thread to stop the read before its next row (checked every row,
    // and every few thousand lines while rows before the first are skipped).
    const std::atomic<bool> *cancel = nullptr;
    // Out, while reading: rows stored so far (positions 0 .. stored - 1), never above count.
    std::atomic<int> stored{0};
    // Out, at the end:
    bool cancelled = false;
    bool opened = false;       // the file could be opened
    bool readFailed = false;   // reading failed part-way (not merely at the end of the file)
    // The file ended before the last row asked for, or its last row was cut short (it ends
    // without a line end and lacks values). Rows stored before it are whole.
    bool endedEarly = false;
};
// Reads rows first .. first + count - 1 as above into the windows; returns 0, or -1 when the
// file cannot be opened. A cut last row is not counted as stored.
int readDataFileRows(const loadedFileRecord &record, int first, int count, double *timeWindow,
                     double **channelWindows, dataFileRowRead &run);
int readDataFileRows(std::FILE *file, const loadedFileRecord &record, int first, int count,
                     double *timeWindow, double **channelWindows, dataFileRowRead &run);

// The same for the process-wide record, loadedFile().
int readDataFileRows(int first, int count, double *timeWindow, double **channelWindows,
                     std::atomic<int> *progress);

#endif
