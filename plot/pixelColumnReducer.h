// Reduces a curve to what a screen can show.
//
// Samples are grouped by the device pixel column they are drawn in (x rounded as the painter
// rounds it). A column keeps, for each run of samples between gaps, its first, smallest,
// largest and last sample, so a line through the result lights the same pixels as a line
// through every sample: inside one column all of them are vertical strokes over the same
// span, and the strokes into the neighbouring columns start from the same first and last
// samples. Zoomed in, a column holds one sample and every sample is kept. A column with
// more than two runs keeps its first and last run exactly and the ones between as one
// stroke (only a gap narrower than one pixel can be lost there). Columns left and right of
// the canvas collapse into one column each, which keeps the strokes entering the canvas.
#ifndef PIXELCOLUMNREDUCER_H
#define PIXELCOLUMNREDUCER_H

#include "plotSamples.h"

#include <QPolygonF>

class QwtScaleMap;

class pixelColumnReducer {
public:
    // Samples [first, first + count) of the pairs (x[i], y[i]); xMap maps x to device
    // columns and the canvas covers the device range [left, right). Returns the points to
    // draw in plot coordinates; a point whose y is NaN ends a line (a gap).
    static QPolygonF reduce(const plotSamples &x, const plotSamples &y, int first, int count,
                            const QwtScaleMap &xMap, double left, double right);

    // The gap marker used in the result.
    static bool isGap(const QPointF &point) { return point.y() != point.y(); }
};

#endif
