// The loaded-file record: what the data-file reader learnt about the one file this
// process shows (viewer mode, Waveforms view, channel table).
#ifndef TS4720_LOADEDFILE_H
#define TS4720_LOADEDFILE_H

#include "modelTable.h"

struct loadedFileChannel {
    char present;   // named in the column line
    char otd;       // open-thermocouple detection was on
    char type[32];  // thermocouple type name, at most 31 characters
};

struct loadedFileRecord {
    char viewer;            // set once a file with at least one data row was read
    char path[260];         // the path exactly as given to the reader
    char serialNumber[9];
    char clockSource[64];
    char startMode[66];
    int alarmHour, alarmMinute, alarmSecond, alarmDay, alarmMonth, alarmYear;
    int alarmSeconds;       // seconds since 1970 (UTC)
    char stopMode[68];
    double scanRate;
    char hasTimestamps;
    char hasColdJunction;
    char hasVoltage;
    int numberOfScans;
    int rowCount;
    int channelCount;       // 16, 32 or 48 by the model line; 48 without one
    int presentChannels;
    double firstTimestamp;
    loadedFileChannel channels[modelTable::maxChannels];
    int headerLineCount;    // index of the first data row among all lines of the file
};

// The one process-wide record (all zero until a file is read).
loadedFileRecord &loadedFile();

#endif
