// The curve geometries of the last redraws, so that panes showing the same channel over the
// same time range on canvases of the same size reduce and map it once.
#ifndef GEOMETRYCACHE_H
#define GEOMETRYCACHE_H

#include "curveGeometry.h"
#include "plotSamples.h"

#include <memory>

class QwtScaleMap;

class geometryCache {
public:
    // The geometry of samples [first, first + count) of (x, y) for these maps and canvas.
    static std::shared_ptr<const curveGeometry> get(const plotSamples &x, const plotSamples &y, int first, int count,
                                                    const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                                                    const QRectF &canvas, bool round);
};

#endif
