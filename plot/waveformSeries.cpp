// A curve's stretch of the shared copies and its finite bounds.
#include "waveformSeries.h"

#include <algorithm>

waveformSeries::waveformSeries(plotSamples::ptr time, plotSamples::ptr values, int first, int count)
    : d_time(time ? std::move(time) : plotSamples::copy(nullptr, 0)),
      d_values(values ? std::move(values) : plotSamples::copy(nullptr, 0)),
      d_first(std::max(first, 0))
{
    const int available = std::min(d_time->size(), d_values->size()) - d_first;
    d_count = std::max(0, std::min(count, available));
    d_bounds = QRectF(1.0, 1.0, -2.0, -2.0);  // Qwt's invalid rectangle
    const plotSamples::span x = d_time->summary(d_first, d_first + d_count);
    const plotSamples::span y = d_values->summary(d_first, d_first + d_count);
    if (x.min <= x.max && y.min <= y.max)
        d_bounds = QRectF(QPointF(x.min, y.min), QPointF(x.max, y.max));
}

QPointF waveformSeries::sample(size_t i) const
{
    const int at = d_first + int(i);
    return QPointF((*d_time)[at], (*d_values)[at]);
}
