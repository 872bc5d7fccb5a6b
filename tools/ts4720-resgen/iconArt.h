// The small built-in images: window icon, start/stop icons and the help arrow.
#ifndef TS4720_RESGEN_ICONART_H
#define TS4720_RESGEN_ICONART_H

#include <QImage>

QImage drawWindowIcon();        // 16 x 16, five colours
QImage drawStartIcon();         // 12 x 12 green triangle
QImage drawStopIcon();          // 12 x 12 dark red square
QImage drawStartContIcon();     // 12 x 12 green double triangle
QImage drawWhatsThisArrow();    // 20 x 17

#endif
