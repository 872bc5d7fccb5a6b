// The displayed temperature units: conversion from degrees Celsius and the texts and value
// ranges that go with each.
#ifndef TEMPERATUREUNIT_H
#define TEMPERATUREUNIT_H

#include <QChar>
#include <QString>

struct temperatureUnit {
    QChar code;        // 'C', 'F' or 'K'
    QString text;      // axis title and dialog suffix: "°C", "°F", "K"
    QString tracker;   // the tracker's unit text: "C", "F", "K"
    double scale;      // displayed = celsius * scale + offset
    double offset;
    double minimum;    // absolute zero up to 2500 °C, in this unit
    double maximum;

    // 'F' and 'K' give those units; anything else gives degrees Celsius.
    static temperatureUnit of(QChar code);
    double fromCelsius(double celsius) const { return celsius * scale + offset; }
};

#endif
