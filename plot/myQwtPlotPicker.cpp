// Tracker text of the waveform plot.
#include "myQwtPlotPicker.h"

#include <qwt_plot.h>
#include <qwt_text.h>

#include <cmath>

myQwtPlotPicker::myQwtPlotPicker(QWidget *canvas)
    : QwtPlotPicker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::NoRubberBand, QwtPicker::AlwaysOn, canvas)
{
}

void myQwtPlotPicker::setTimeRange(double minimum, double maximum)
{
    d_timeMin = minimum;
    d_timeMax = maximum;
}

QString myQwtPlotPicker::trackerText(const QPointF &point, double timeMin, double timeMax, const QString &unit)
{
    const double span = std::fabs(timeMax - timeMin);
    QString time;
    if (span < 0.0001)
        time = QString::asprintf("%.3f us", point.x() * 1000000.0);
    else if (span < 0.1)
        time = QString::asprintf("%.3f ms", point.x() * 1000.0);
    else
        time = QString::asprintf("%.3f s", point.x());
    return time + QStringLiteral(", ") + QString::asprintf("%.3f ", point.y()) + unit;
}

QwtText myQwtPlotPicker::trackerTextF(const QPointF &point) const
{
    return QwtText(trackerText(point, d_timeMin, d_timeMax, d_unit));
}
