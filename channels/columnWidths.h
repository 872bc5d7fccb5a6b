// Column widths of the channel table in pixels, shared by the header and the rows.
#ifndef TS4720_COLUMNWIDTHS_H
#define TS4720_COLUMNWIDTHS_H

namespace columnWidths {
constexpr int channelNumber = 30;
constexpr int channelEnabled = 85;
constexpr int otdEnabled = 85;
constexpr int connectionStatus = 100;
constexpr int standardType = 37;  // J, K, T, E, B, S, R, N
constexpr int userType = 65;      // User 1, User 2
constexpr int threshold = 90;

constexpr int type(int index) { return index < 8 ? standardType : userType; }
} // namespace columnWidths

#endif
