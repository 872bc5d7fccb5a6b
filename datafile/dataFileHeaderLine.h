// One header line of a data file: its key and value, and what it sets in the loaded-file record.
#ifndef TS4720_DATAFILEHEADERLINE_H
#define TS4720_DATAFILEHEADERLINE_H

#include <cstddef>

struct loadedFileRecord;

struct dataFileHeaderLine {
    char key[65] = {};        // letters, digits, '_', ':' and blanks, at most 64
    char fullValue[128] = {}; // after the first ',': letters, digits, '.'..':', ',' and blanks
    char value[128] = {};     // fullValue up to its first ','

    // Splits line [text, text + length) into key and values; empty when the line has no key.
    void split(const char *text, std::size_t length);
};

// Applies one header line to the record. Returns -1 for a model line whose suffix is not
// "AA", "AB" or "AC", else 0.
int applyDataFileHeaderLine(const char *text, std::size_t length, loadedFileRecord &record);

// A line that names the columns: it begins, ignoring case, with "Timestamp" or "Channel".
bool isDataFileColumnLine(const char *text, std::size_t length);

// Case-insensitive: does [text, text + length) begin with prefix?
bool beginsWithNoCase(const char *text, std::size_t length, const char *prefix);

// Copies [text, text + length) into a field of fieldSize bytes, cut to fit, terminated.
void copyCut(char *field, std::size_t fieldSize, const char *text, std::size_t length);

#endif
