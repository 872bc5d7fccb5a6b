// Minimum, maximum, mean and standard deviation of a curve over a time range.
#ifndef PLOTSTATISTICS_H
#define PLOTSTATISTICS_H

#include <qwt_series_data.h>

struct plotStatistics {
    int points = 0;  // samples whose time lies in the range
    int open = 0;    // of those, the NaN ones (open thermocouple)
    // Over the finite samples in the range; NaN when there are none. The deviation is that
    // of the samples shown (divided by their number, not one less).
    double minimum;
    double maximum;
    double mean;
    double deviation;

    // Samples with from <= time <= to (either order); a time that is not finite is in no range.
    static plotStatistics of(const QwtSeriesData<QPointF> &samples, double from, double to);
};

#endif
