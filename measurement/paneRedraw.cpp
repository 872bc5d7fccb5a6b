// The end of a pane's redraw.
#include "paneRedraw.h"

#include "axisConfig.h"
#include "plotSamples.h"
#include "waveform.h"

#include <qwt_plot.h>

#include <QCheckBox>
#include <QDoubleSpinBox>

#include <cmath>

void finishPaneRedraw(waveform *plot, const plotSamples *time, int first, int span, bool setTimeAxis)
{
    if (setTimeAxis && time && span > 0 && first >= 0 && first + span - 1 < time->size() &&
        std::isfinite((*time)[first])) {
        const double from = (*time)[first];
        double to = (*time)[first + span - 1];
        if (!(to > from))
            to = from + 1;   // a single scan, or times that do not rise: still a valid axis
        plot->plot->setAxisAutoScale(QwtPlot::xBottom, false);
        plot->plot->setAxisScale(QwtPlot::xBottom, from, to);
        plot->xAxisConfig->lower->setRange(from, to);
        plot->xAxisConfig->upper->setRange(from, to);
    }
    plot->plot->setAxisAutoScale(QwtPlot::yLeft, plot->autoScale->isChecked());
    plot->plot->replot();
    plot->scaleUpdate();
    plot->updateZoomBase();
    plot->plot->replot();
}
