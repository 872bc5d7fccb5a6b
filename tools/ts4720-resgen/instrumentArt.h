// The rack instrument with its 48 thermocouple connectors, as the splash shows it.
#ifndef TS4720_RESGEN_INSTRUMENTART_H
#define TS4720_RESGEN_INSTRUMENTART_H

#include <QImage>

// 452 x 194, transparent around the instrument.
QImage drawInstrumentPicture();

#endif
