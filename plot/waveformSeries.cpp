// A curve's stretch of the shared copies and its finite bounds.
#include "waveformSeries.h"

#include <algorithm>

waveformSeries::waveformSeries(plotSamples::ptr time, plotSamples::ptr values, int first, int count)
    : m_time(time ? std::move(time) : plotSamples::copy(nullptr, 0)),
      m_values(values ? std::move(values) : plotSamples::copy(nullptr, 0)),
      m_first(std::max(first, 0))
{
    const int available = std::min(m_time->size(), m_values->size()) - m_first;
    m_count = std::max(0, std::min(count, available));
    m_bounds = QRectF(1.0, 1.0, -2.0, -2.0);  // Qwt's invalid rectangle
    const plotSamples::span x = m_time->summary(m_first, m_first + m_count);
    const plotSamples::span y = m_values->summary(m_first, m_first + m_count);
    if (x.min <= x.max && y.min <= y.max)
        m_bounds = QRectF(QPointF(x.min, y.min), QPointF(x.max, y.max));
}

QPointF waveformSeries::sample(size_t i) const
{
    const int at = m_first + int(i);
    return QPointF((*m_time)[at], (*m_values)[at]);
}
