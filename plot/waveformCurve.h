// A channel's curve: draws a waveformSeries reduced to the canvas's pixel columns, with a
// gap wherever a sample is NaN (an open thermocouple), so a redraw costs what the canvas
// can show, not what the plot holds. Other series data are drawn as plain Qwt draws them.
#ifndef WAVEFORMCURVE_H
#define WAVEFORMCURVE_H

#include <qwt_plot_curve.h>

#include <memory>

class curveGeometry;

class waveformCurve : public QwtPlotCurve {
public:
    explicit waveformCurve(const QString &title) : QwtPlotCurve(title) {}

    // Reduces and maps the curve for these maps and canvas ahead of drawing, so that the
    // curves of a plot can be prepared side by side on the thread pool. Thread-safe.
    void prepare(const QwtScaleMap &xMap, const QwtScaleMap &yMap, const QRectF &canvasRect, bool round) const;

protected:
    void drawSeries(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                    const QRectF &canvasRect, int from, int to) const override;

private:
    std::shared_ptr<const curveGeometry> geometry(const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                                                  const QRectF &canvasRect, bool round) const;
};

#endif
