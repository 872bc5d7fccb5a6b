// The header logos: the maker's logo on the left, the VXI or LXI logo on the right.
#ifndef TS4720_RESGEN_LOGOART_H
#define TS4720_RESGEN_LOGOART_H

#include <QImage>

QImage drawMakerLogo();  // 160 x 48
QImage drawVxiLogo();    // 96 x 48
QImage drawLxiLogo();    // 96 x 48

#endif
