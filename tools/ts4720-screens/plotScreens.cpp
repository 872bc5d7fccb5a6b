// The plot pictures: a pane with 48 curves (100,000 samples each, spikes, an open channel),
// the same zoomed in, its export picture (PNG and PDF), its temperature-axis dialog and its
// statistics window.
#include "panelScreens.h"

#include "axisConfig.h"
#include "chLabel.h"
#include "plotExport.h"
#include "statisticsWindow.h"
#include "waveform.h"
#include "waveformCurve.h"

#include <qwt_plot.h>
#include <qwt_plot_zoomer.h>

#include <QCheckBox>
#include <QDir>
#include <QSlider>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace panelScreens {

namespace {

void fillPane(waveform &pane)
{
    const int n = 100000;
    std::vector<double> time(n), values(n);
    for (int i = 0; i < n; ++i)
        time[size_t(i)] = i * 0.001;
    const auto t = plotSamples::copy(time.data(), n);
    for (int c = 0; c < 48; ++c) {
        for (int i = 0; i < n; ++i)
            values[size_t(i)] = 20.0 + c * 1.5 + 3.0 * std::sin(i * 0.0002 + c) + ((i + 97 * c) % 20011 == 0 ? 15.0 : 0.0);
        if (c == 5) {
            for (int i = 40000; i < 52000; ++i)
                values[size_t(i)] = std::numeric_limits<double>::quiet_NaN();
        }
        pane.setCurveData(c, t, plotSamples::copy(values.data(), n), 0, n);
    }
    pane.labels[47]->setChannelEnabled(false);
    pane.labels[3]->setShown(false);
    pane.attachShownCurves();
    pane.positionSlider->setRange(0, 20);
    pane.plot->setAxisScale(QwtPlot::xBottom, 0.0, time.back());
    pane.plot->setAxisAutoScale(QwtPlot::yLeft, pane.autoScale->isChecked());
    pane.plot->replot();
    pane.scaleUpdate();
    pane.updateZoomBase();
    pane.plot->replot();
}

// Prints the path of a picture as the other pictures do, or that it was not written.
void write(bool saved, const QString &path)
{
    std::printf("%s%s\n", qPrintable(path), saved ? "" : ": not written");
}

} // namespace

void plotPane(const QString &dir)
{
    const QDir folder(dir);
    waveform pane(nullptr, 48, true);
    pane.resize(1280, 720);
    pane.show();
    fillPane(pane);
    save(&pane, dir, "plot-pane");
    QList<QwtPlotCurve *> shown;
    for (waveformCurve *curve : pane.curves)
        if (curve->plot())
            shown.append(curve);
    for (const char *name : {"plot-export.png", "plot-export.pdf"})
        write(plotExport(pane.plot, shown).save(folder.filePath(name)), folder.filePath(name));
    // Zoomed into two seconds around a spike: the samples themselves.
    pane.zoomer->zoom(QRectF(19.0, 20.0, 2.0, 60.0));
    save(&pane, dir, "plot-zoomed");
    pane.zoomer->zoom(0);
    save(pane.yAxisConfig, dir, "plot-axis-dialog");
    pane.yAxisConfig->hide();
    pane.showStatistics();
    for (auto *window : pane.findChildren<statisticsWindow *>())
        save(window, dir, "plot-statistics");
}

} // namespace panelScreens
