// Statistics over the visible part of a curve.
#include "plotStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

plotStatistics plotStatistics::of(const QwtSeriesData<QPointF> &samples, double from, double to)
{
    const double low = std::min(from, to);
    const double high = std::max(from, to);
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    plotStatistics result{0, 0, notANumber, notANumber, notANumber, notANumber};
    double sum = 0.0;
    int finite = 0;
    const size_t n = samples.size();
    for (size_t i = 0; i < n; ++i) {
        const QPointF p = samples.sample(i);
        if (!(p.x() >= low && p.x() <= high))
            continue;
        ++result.points;
        if (!std::isfinite(p.y())) {
            ++result.open;
            continue;
        }
        result.minimum = finite ? std::min(result.minimum, p.y()) : p.y();
        result.maximum = finite ? std::max(result.maximum, p.y()) : p.y();
        sum += p.y();
        ++finite;
    }
    if (finite == 0)
        return result;
    result.mean = sum / finite;
    // A second pass around the mean keeps the deviation exact for values far from zero
    // (kelvin, or a steady temperature with small noise).
    double squares = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const QPointF p = samples.sample(i);
        if (p.x() >= low && p.x() <= high && std::isfinite(p.y()))
            squares += (p.y() - result.mean) * (p.y() - result.mean);
    }
    result.deviation = std::sqrt(squares / finite);
    return result;
}
