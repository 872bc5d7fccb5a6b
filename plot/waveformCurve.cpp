// Drawing a reduced curve: map, split at gaps, clip, round as Qwt rounds, stroke.
#include "waveformCurve.h"

#include "pixelColumnReducer.h"
#include "waveformSeries.h"

#include <qwt_clipper.h>
#include <qwt_painter.h>
#include <qwt_scale_map.h>

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Points that share a pixel column become one vertical stroke over their span, drawn with
// both ends lit, and the line keeps only the first and last of them for the strokes into
// the neighbouring columns. Drawing a dense column as many short up-and-down segments
// would leave it to the rasteriser's end-point rules which of its pixels get lit.
void strokeRounded(QPainter *painter, const QPolygonF &line)
{
    QPolygonF joins;
    QVector<QLineF> spans;
    for (int i = 0; i < line.size();) {
        const double x = line[i].x();
        double low = line[i].y();
        double high = low;
        int j = i + 1;
        for (; j < line.size() && line[j].x() == x; ++j) {
            low = std::min(low, line[j].y());
            high = std::max(high, line[j].y());
        }
        joins.append(line[i]);
        if (j - 1 > i && line[j - 1] != line[i])
            joins.append(line[j - 1]);
        if (high > low)
            spans.append(QLineF(x, low, x, high));
        i = j;
    }
    if (joins.size() > 1)
        QwtPainter::drawPolyline(painter, joins);
    if (!spans.isEmpty())
        painter->drawLines(spans);
}

// Clipping keeps huge values (a wild sample, a far zoom) away from the painter's integers;
// the clip edges lie outside the canvas, so the lines Qwt's clipper adds there never show.
void strokeRun(QPainter *painter, const QPolygonF &run, const QRectF &clip, bool round)
{
    // A lone sample between gaps draws nothing, as a line through one point does in Qwt.
    if (run.size() < 2)
        return;
    QPolygonF line = QwtClipper::clipPolygonF(clip, run, false);
    if (!round) {
        QwtPainter::drawPolyline(painter, line);
        return;
    }
    for (QPointF &p : line)
        p = QPointF(qRound(p.x()), qRound(p.y()));
    strokeRounded(painter, line);
}

} // namespace

void waveformCurve::drawSeries(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                               const QRectF &canvasRect, int from, int to) const
{
    const auto *series = dynamic_cast<const waveformSeries *>(data());
    if (!series) {
        QwtPlotCurve::drawSeries(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    if (to < 0)
        to = int(series->size()) - 1;
    from = std::max(from, 0);
    if (from > to)
        return;
    const QPolygonF points = pixelColumnReducer::reduce(series->time(), series->values(),
                                                        series->first() + from, to - from + 1,
                                                        xMap, canvasRect.left(), canvasRect.right());
    const double margin = std::max(1.0, pen().widthF()) + 1.0;
    const QRectF clip = canvasRect.adjusted(-margin, -margin, margin, margin);
    const bool round = QwtPainter::roundingAlignment(painter);
    painter->save();
    painter->setPen(pen());
    painter->setBrush(Qt::NoBrush);
    QPolygonF run;
    for (const QPointF &p : points) {
        const QPointF mapped(xMap.transform(p.x()), yMap.transform(p.y()));
        if (std::isfinite(mapped.x()) && std::isfinite(mapped.y())) {
            run.append(mapped);
            continue;
        }
        if (!run.isEmpty())
            strokeRun(painter, run, clip, round);
        run.clear();
    }
    if (!run.isEmpty())
        strokeRun(painter, run, clip, round);
    painter->restore();
}
