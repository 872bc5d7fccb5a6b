// Preparing the curves of a plot in parallel.
#include "waveformPlot.h"

#include "waveformCurve.h"

#include <qwt_painter.h>
#include <qwt_scale_map.h>

#include <QtConcurrent/QtConcurrentMap>

#include <vector>

void waveformPlot::drawItems(QPainter *painter, const QRectF &canvasRect, const QwtScaleMap maps[axisCnt]) const
{
    std::vector<const waveformCurve *> curves;
    for (const QwtPlotItem *item : itemList(QwtPlotItem::Rtti_PlotCurve)) {
        if (const auto *curve = dynamic_cast<const waveformCurve *>(item); curve && curve->isVisible())
            curves.push_back(curve);
    }
    const bool round = QwtPainter::roundingAlignment(painter);
    QtConcurrent::blockingMap(curves, [&](const waveformCurve *curve) {
        curve->prepare(maps[curve->xAxis()], maps[curve->yAxis()], canvasRect, round);
    });
    QwtPlot::drawItems(painter, canvasRect, maps);
}
