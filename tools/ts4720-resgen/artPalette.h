// The colours shared by every image of the program, so logos, splash and icons match.
#ifndef TS4720_RESGEN_ARTPALETTE_H
#define TS4720_RESGEN_ARTPALETTE_H

#include <QColor>

namespace art {
inline QColor makerBlue() { return QColor(0x1a, 0x2c, 0x5e); }
inline QColor makerBlueLight() { return QColor(0x3b, 0x5b, 0xa5); }
inline QColor accent() { return QColor(0x4f, 0xa3, 0xe0); }
inline QColor panelGrey() { return QColor(0xc9, 0xce, 0xd6); }
inline QColor panelDark() { return QColor(0x5a, 0x61, 0x6e); }
inline QColor connectorYellow() { return QColor(0xf2, 0xc2, 0x00); }
inline QColor ledGreen() { return QColor(0x2e, 0xcc, 0x40); }
} // namespace art

#endif
