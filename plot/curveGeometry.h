// A reduced curve mapped to the device, ready to stroke: lines between gaps and, on raster
// devices, rounded to pixels as Qwt rounds them, with the samples that share a pixel
// column drawn as one vertical stroke.
#ifndef CURVEGEOMETRY_H
#define CURVEGEOMETRY_H

#include <QLine>
#include <QPolygonF>
#include <QVector>

class QPainter;
class QwtScaleMap;

class curveGeometry {
public:
    // reduced: points in plot coordinates, a NaN y marking a gap (pixelColumnReducer).
    // Lines are clipped to clip; round is set for raster devices.
    curveGeometry(const QPolygonF &reduced, const QwtScaleMap &xMap, const QwtScaleMap &yMap, const QRectF &clip,
                  bool round);

    // Strokes with the painter's pen.
    void draw(QPainter *painter) const;

private:
    void addRun(const QPointF *points, int n, bool inside);
    void addRounded(const QPointF *points, int n);

    QRectF m_clip;
    bool m_round;
    QVector<QPoint> m_joins;   // raster: the lines, one after the other
    QVector<QPointF> m_exact;  // other devices: the same, unrounded
    QVector<int> m_lineEnds;   // where each line ends in the list above
    QVector<QLine> m_spans;    // raster: one vertical stroke per pixel column that has a span
};

#endif
