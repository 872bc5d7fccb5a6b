// What one row of the channel table holds, apart from its connection status.
#ifndef TS4720_CHANNELROW_H
#define TS4720_CHANNELROW_H

#include <QString>

struct channelRow {
    bool enabled = false;
    bool otd = false;
    int type = -1;      // index into tc_type_name; -1: no type button checked
    QString minText;    // threshold texts as the edits hold them; empty: no threshold
    QString maxText;
};

#endif
