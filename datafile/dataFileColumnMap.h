// The column line of a data file: which column holds the timestamp and which columns hold
// the temperatures of which channel window.
#ifndef TS4720_DATAFILECOLUMNMAP_H
#define TS4720_DATAFILECOLUMNMAP_H

#include <cstddef>
#include <vector>

struct loadedFileRecord;

struct dataFileColumnMap {
    struct temperatureColumn {
        int column;   // index of the column, from 0
        int window;   // channel window: rank of the channel number among the file's channels
    };

    int timestampColumn = -1;                  // -1: no timestamps
    std::vector<temperatureColumn> temperatures; // in column order

    // Reads a column line. Channel numbers outside 1..channelCount, and a channel named a second
    // time, are ignored together with their columns. With a record, sets its column flags and
    // the entries of the channels named.
    void parse(const char *text, std::size_t length, int channelCount, loadedFileRecord *record);
};

#endif
