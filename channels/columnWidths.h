// Column widths of the channel table in pixels, shared by the header and the rows. They
// follow the font: each column holds its widest caption, button or value in the bold font
// (a caption wraps at its words), never narrower than at 96 dpi with the standard font, so
// the header does not clip at 144 or 192 dpi or with a large font.
#ifndef TS4720_COLUMNWIDTHS_H
#define TS4720_COLUMNWIDTHS_H

#include <QFont>

class columnWidths {
public:
    explicit columnWidths(const QFont &font);

    int channelNumber;
    int channelEnabled;
    int otdEnabled;
    int connectionStatus;
    int standardType;  // J, K, T, E, B, S, R, N
    int userType;      // User 1, User 2
    int threshold;

    int type(int index) const { return index < 8 ? standardType : userType; }
};

#endif
