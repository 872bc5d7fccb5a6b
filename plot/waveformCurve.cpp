// Drawing a waveform curve from its (shared) geometry.
#include "waveformCurve.h"

#include "geometryCache.h"
#include "waveformSeries.h"

#include <qwt_painter.h>

#include <QPainter>


std::shared_ptr<const curveGeometry> waveformCurve::geometry(const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                                                             const QRectF &canvasRect, bool round) const
{
    const auto *series = dynamic_cast<const waveformSeries *>(data());
    if (!series || series->size() == 0)
        return nullptr;
    return geometryCache::get(series->time(), series->values(), series->first(), int(series->size()), xMap, yMap,
                              canvasRect, round);
}

void waveformCurve::prepare(const QwtScaleMap &xMap, const QwtScaleMap &yMap, const QRectF &canvasRect,
                            bool round) const
{
    geometry(xMap, yMap, canvasRect, round);
}

void waveformCurve::drawSeries(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                               const QRectF &canvasRect, int from, int to) const
{
    // Qwt draws a whole series (from 0 to -1); a part of one is drawn as plain Qwt does.
    if (!dynamic_cast<const waveformSeries *>(data()) || from > 0 || (to >= 0 && to + 1 < int(dataSize()))) {
        QwtPlotCurve::drawSeries(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    const auto shape = geometry(xMap, yMap, canvasRect, QwtPainter::roundingAlignment(painter));
    if (!shape)
        return;
    painter->save();
    painter->setPen(pen());
    painter->setBrush(Qt::NoBrush);
    shape->draw(painter);
    painter->restore();
}
