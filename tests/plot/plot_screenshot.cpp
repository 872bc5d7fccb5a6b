// Hand-run: renders a pane with 48 curves (100,000 samples each, spikes, an open channel),
// the same zoomed in, its export picture (PNG and PDF), its temperature-axis dialog and its
// statistics window, for looking at.
//   plot_screenshot [folder]   (default: the current folder)
#include "axisConfig.h"
#include "chLabel.h"
#include "plotExport.h"
#include "statisticsWindow.h"
#include "waveform.h"
#include "waveformCurve.h"

#include <qwt_plot.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QSlider>

#include <qwt_plot_zoomer.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? argv[1] : ".");
    const int n = 100000;
    waveform pane(nullptr, 48, true);
    pane.resize(1280, 720);
    pane.show();
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
    app.processEvents();
    bool ok = pane.grab().save(folder.filePath("plot-pane.png"));
    QList<QwtPlotCurve *> shown;
    for (waveformCurve *curve : pane.curves)
        if (curve->plot())
            shown.append(curve);
    ok &= plotExport(pane.plot, shown).save(folder.filePath("plot-export.png"));
    ok &= plotExport(pane.plot, shown).save(folder.filePath("plot-export.pdf"));
    // Zoomed into two seconds around a spike: the samples themselves.
    pane.zoomer->zoom(QRectF(19.0, 20.0, 2.0, 60.0));
    app.processEvents();
    ok &= pane.grab().save(folder.filePath("plot-zoomed.png"));
    pane.zoomer->zoom(0);
    pane.yAxisConfig->show();
    app.processEvents();
    ok &= pane.yAxisConfig->grab().save(folder.filePath("plot-axis-dialog.png"));
    pane.yAxisConfig->hide();
    pane.showStatistics();
    app.processEvents();
    for (auto *window : pane.findChildren<statisticsWindow *>())
        ok &= window->grab().save(folder.filePath("plot-statistics.png"));
    std::printf("%s\n", ok ? "written" : "failed");
    return ok ? 0 : 1;
}
