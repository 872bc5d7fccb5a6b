// The picture of a plot for reports: the plot as shown, through QwtPlotRenderer, with a
// legend strip of the shown curves below it.
#ifndef PLOTEXPORT_H
#define PLOTEXPORT_H

#include <QImage>
#include <QList>
#include <QString>

class QPainter;
class QwtPlot;
class QwtPlotCurve;

class plotExport {
public:
    plotExport(QwtPlot *plot, QList<QwtPlotCurve *> curves) : m_plot(plot), m_curves(std::move(curves)) {}

    // The plot's size on screen, taller by the legend strip.
    QSize size() const;
    void render(QPainter *painter) const;
    QImage image() const;
    // PNG, or PDF for a name ending in ".pdf"; false when the file cannot be written.
    bool save(const QString &path) const;

private:
    int legendHeight() const;
    void renderLegend(QPainter *painter, int top) const;

    QwtPlot *m_plot;
    QList<QwtPlotCurve *> m_curves;
};

#endif
