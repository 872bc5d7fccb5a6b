// The plot of a waveform pane: before Qwt draws the curves one by one, it reduces and maps
// those not yet prepared side by side on the thread pool.
#ifndef WAVEFORMPLOT_H
#define WAVEFORMPLOT_H

#include <qwt_plot.h>

class waveformPlot : public QwtPlot {
public:
    using QwtPlot::QwtPlot;

protected:
    void drawItems(QPainter *painter, const QRectF &canvasRect, const QwtScaleMap maps[axisCnt]) const override;
};

#endif
