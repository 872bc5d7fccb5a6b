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
    m_timeMin = minimum;
    m_timeMax = maximum;
}

QString myQwtPlotPicker::trackerText(const QPointF &point, double timeMin, double timeMax, const QString &unit)
{
    // QString::number formats the same in every locale, like the rest of the program's texts.
    const double span = std::fabs(timeMax - timeMin);
    QString time;
    if (span < 0.0001)
        time = QString::number(point.x() * 1000000.0, 'f', 3) + QStringLiteral(" us");
    else if (span < 0.1)
        time = QString::number(point.x() * 1000.0, 'f', 3) + QStringLiteral(" ms");
    else
        time = QString::number(point.x(), 'f', 3) + QStringLiteral(" s");
    return time + QStringLiteral(", ") + QString::number(point.y(), 'f', 3) + QLatin1Char(' ') + unit;
}

QwtText myQwtPlotPicker::trackerTextF(const QPointF &point) const
{
    return QwtText(trackerText(point, m_timeMin, m_timeMax, m_unit));
}
