// The program's icon for the desktop's menus and file managers, at any square size.
#ifndef TS4720_RESGEN_APPICONART_H
#define TS4720_RESGEN_APPICONART_H

#include <QImage>

// The instrument's front seen from ahead: label block with a temperature trace, connectors,
// LED; transparent around it. Sizes the icon theme uses: 16 to 256 pixels.
QImage drawAppIcon(int size);

#endif
