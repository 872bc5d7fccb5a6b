// Mapping, clipping and rounding a reduced curve.
#include "curveGeometry.h"

#include <qwt_clipper.h>
#include <qwt_scale_map.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

curveGeometry::curveGeometry(const QPolygonF &reduced, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                             const QRectF &clip, bool round)
    : m_clip(clip), m_round(round)
{
    // Kept from call to call (curves are drawn on the GUI thread): fresh buffers of this
    // size cost page faults on every redraw.
    static thread_local std::vector<QPointF> run;
    run.clear();
    const double left = clip.left(), right = clip.right(), top = clip.top(), bottom = clip.bottom();
    bool inside = true;
    for (const QPointF &p : reduced) {
        const double x = xMap.transform(p.x());
        const double y = yMap.transform(p.y());
        if (std::isfinite(x) && std::isfinite(y)) {
            run.emplace_back(x, y);
            inside = inside && x >= left && x <= right && y >= top && y <= bottom;
            continue;
        }
        addRun(run.data(), int(run.size()), inside);
        run.clear();
        inside = true;
    }
    addRun(run.data(), int(run.size()), inside);
}

// Clipping keeps huge values (a wild sample, a far zoom) away from the painter's integers;
// the clip edges lie outside the canvas, so the lines Qwt's clipper adds there never show.
void curveGeometry::addRun(const QPointF *points, int n, bool inside)
{
    // A lone sample between gaps draws nothing, as a line through one point does in Qwt.
    if (n < 2)
        return;
    QPolygonF clipped;
    if (!inside) {
        clipped = QwtClipper::clipPolygonF(m_clip, QPolygonF(QVector<QPointF>(points, points + n)), false);
        points = clipped.constData();
        n = clipped.size();
    }
    if (m_round) {
        addRounded(points, n);
    } else {
        for (int i = 0; i < n; ++i)
            m_exact.append(points[i]);
    }
    m_lineEnds.append(m_round ? m_joins.size() : m_exact.size());
}

// Points that share a pixel column become one vertical stroke over their span, drawn with
// both ends lit, and the line keeps only the first and last of them for the strokes into
// the neighbouring columns. Drawing a dense column as many short up-and-down segments
// would leave it to the rasteriser's end-point rules which of its pixels get lit.
void curveGeometry::addRounded(const QPointF *points, int n)
{
    for (int i = 0; i < n;) {
        const int x = qRound(points[i].x());
        const int first = qRound(points[i].y());
        int low = first;
        int high = first;
        int last = first;
        int j = i + 1;
        for (; j < n && qRound(points[j].x()) == x; ++j) {
            last = qRound(points[j].y());
            low = std::min(low, last);
            high = std::max(high, last);
        }
        m_joins.append(QPoint(x, first));
        if (last != first)
            m_joins.append(QPoint(x, last));
        if (high > low)
            m_spans.append(QLine(x, low, x, high));
        i = j;
    }
}

void curveGeometry::draw(QPainter *painter) const
{
    int start = 0;
    for (int end : m_lineEnds) {
        if (end - start > 1) {
            if (m_round)
                painter->drawPolyline(m_joins.constData() + start, end - start);
            else
                painter->drawPolyline(m_exact.constData() + start, end - start);
        }
        start = end;
    }
    if (!m_spans.isEmpty())
        painter->drawLines(m_spans.constData(), m_spans.size());
}
