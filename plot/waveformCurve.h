// A channel's curve: draws a waveformSeries reduced to the canvas's pixel columns, with a
// gap wherever a sample is NaN (an open thermocouple), so a redraw costs what the canvas
// can show, not what the plot holds. Other series data are drawn as plain Qwt draws them.
#ifndef WAVEFORMCURVE_H
#define WAVEFORMCURVE_H

#include <qwt_plot_curve.h>

class waveformCurve : public QwtPlotCurve {
public:
    explicit waveformCurve(const QString &title) : QwtPlotCurve(title) {}

protected:
    void drawSeries(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                    const QRectF &canvasRect, int from, int to) const override;
};

#endif
