// The samples of one curve: a stretch of a shared time copy and a shared temperature copy.
#ifndef WAVEFORMSERIES_H
#define WAVEFORMSERIES_H

#include "plotSamples.h"

#include <qwt_series_data.h>

class waveformSeries : public QwtSeriesData<QPointF> {
public:
    // Samples [first, first + count) of both copies, cut to what both hold; a missing copy
    // gives an empty series.
    waveformSeries(plotSamples::ptr time, plotSamples::ptr values, int first, int count);

    size_t size() const override { return size_t(m_count); }
    QPointF sample(size_t i) const override;
    // Finite samples only, so gaps never stretch an axis; invalid when there are none.
    QRectF boundingRect() const override { return m_bounds; }

    const plotSamples &time() const { return *m_time; }
    const plotSamples &values() const { return *m_values; }
    int first() const { return m_first; }

private:
    plotSamples::ptr m_time;
    plotSamples::ptr m_values;
    int m_first = 0;
    int m_count = 0;
    QRectF m_bounds;
};

#endif
