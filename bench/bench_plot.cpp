// Redraw cost of the waveform plot against plain Qwt drawing every point, side by side:
// one and three panes of 48 curves, 1,000 / 100,000 / 1,000,000 points, canvas 1000 px wide,
// offscreen. A redraw is what the Waveforms refresh does: copy the windows once, hand every
// curve of every pane its data, set the
// time axis, auto-scale the temperature axis, replot, and paint.
// Exits non-zero when a goal is missed (see goals below).
#include "waveform.h"
#include "waveformCurve.h"

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

const int channels = 48;
const int canvasWidth = 1000;
const int canvasHeight = 400;

struct acquisitionWindows {
    std::vector<double> time;
    std::vector<std::vector<double>> values;  // per channel, in degrees Celsius
};

// Slow temperatures with noise and single-scan spikes, as thermocouples deliver them.
acquisitionWindows makeWindows(int length)
{
    acquisitionWindows w;
    w.time.resize(size_t(length));
    for (int i = 0; i < length; ++i)
        w.time[size_t(i)] = i * 0.001;
    unsigned noise = 12345;
    w.values.assign(channels, std::vector<double>(size_t(length)));
    for (int c = 0; c < channels; ++c) {
        for (int i = 0; i < length; ++i) {
            noise = noise * 1103515245u + 12345u;
            const double jitter = ((noise >> 16) % 1000) / 10000.0;
            const bool spike = (i + 977 * c) % 50021 == 0;
            w.values[size_t(c)][size_t(i)] = 20.0 + c + 5.0 * std::sin(i * 6.0 / length + c) + jitter + (spike ? 30.0 : 0.0);
        }
    }
    return w;
}

// Widens widget until its plot's canvas is exactly canvasWidth pixels wide.
void fitCanvas(QWidget *widget, QwtPlot *plot)
{
    widget->resize(canvasWidth + 300, canvasHeight + 120);
    widget->show();
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        const QSize canvas = plot->canvas()->size();
        widget->resize(widget->width() + canvasWidth - canvas.width(), widget->height() + canvasHeight - canvas.height());
    }
    QApplication::processEvents();
}

void paint(QwtPlot *plot)
{
    plot->replot();
    plot->canvas()->repaint();
    QApplication::processEvents();
}

struct figures {
    double median;
    double worst;
};

figures timeRuns(int runs, const std::function<void()> &redraw)
{
    // Not counted: the first two redraws allocate what the later ones reuse.
    redraw();
    redraw();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        redraw();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// The waveform path: one shared copy per window and redraw, handed to every pane. Panes
// that show the same time range share their curves' geometry; with ownRanges each pane
// shows a time range of its own, so each reduces every curve itself.
figures timeReduced(const acquisitionWindows &data, int panes, int runs, bool ownRanges = false)
{
    const int n = int(data.time.size());
    std::vector<std::unique_ptr<waveform>> plots;
    for (int p = 0; p < panes; ++p) {
        plots.emplace_back(new waveform(nullptr, channels, false));
        plots.back()->attachShownCurves();
        fitCanvas(plots.back().get(), plots.back()->plot);
    }
    return timeRuns(runs, [&] {
        const plotSamples::ptr time = plotSamples::copy(data.time.data(), n);
        std::vector<const double *> channelWindows;
        for (const std::vector<double> &channel : data.values)
            channelWindows.push_back(channel.data());
        const std::vector<plotSamples::ptr> windows = plotSamples::copyEach(channelWindows, n);
        for (size_t p = 0; p < plots.size(); ++p) {
            waveform *pane = plots[p].get();
            for (int c = 0; c < channels; ++c)
                pane->setCurveData(c, time, windows[size_t(c)], 0, n);
            const double start = ownRanges ? data.time[size_t(n) * p / 100] : data.time.front();
            pane->plot->setAxisScale(QwtPlot::xBottom, start, data.time.back());
            pane->plot->setAxisAutoScale(QwtPlot::yLeft, true);
            paint(pane->plot);
        }
    });
}

// Plain Qwt: every curve gets its samples copied in and draws every point.
figures timePlain(const acquisitionWindows &data, int panes, int runs)
{
    const int n = int(data.time.size());
    std::vector<std::unique_ptr<QwtPlot>> plots;
    std::vector<std::vector<QwtPlotCurve *>> curves(static_cast<size_t>(panes));
    for (int p = 0; p < panes; ++p) {
        plots.emplace_back(new QwtPlot);
        plots.back()->setCanvasBackground(QBrush(Qt::darkBlue));
        for (int c = 0; c < channels; ++c) {
            curves[size_t(p)].push_back(new QwtPlotCurve);
            curves[size_t(p)].back()->setPen(QPen(QColor(Qt::GlobalColor(Qt::red + c % 12))));
            curves[size_t(p)].back()->attach(plots.back().get());
        }
        fitCanvas(plots.back().get(), plots.back().get());
    }
    return timeRuns(runs, [&] {
        for (int p = 0; p < panes; ++p) {
            for (int c = 0; c < channels; ++c)
                curves[size_t(p)][size_t(c)]->setSamples(data.time.data(), data.values[size_t(c)].data(), n);
            plots[size_t(p)]->setAxisScale(QwtPlot::xBottom, data.time.front(), data.time.back());
            plots[size_t(p)]->setAxisAutoScale(QwtPlot::yLeft, true);
            paint(plots[size_t(p)].get());
        }
    });
}

struct goal {
    const char *what;
    double value;  // negative: not measured in this run
    double limit;
    bool atMost;  // value <= limit, else value >= limit
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("bench_plot: %d curves per pane, canvas %d x %d px; times in ms (median / worst)\n", channels,
                canvasWidth, canvasHeight);
    std::printf("%6s %10s   %18s   %18s   %8s\n", "panes", "points", "waveform", "plain Qwt", "ratio");
    // Optional arguments pick plot lengths; goals of lengths not run count as missed.
    std::vector<int> lengths = {1000, 100000, 1000000};
    if (argc > 1) {
        lengths.clear();
        for (int i = 1; i < argc; ++i)
            lengths.push_back(std::max(2, std::atoi(argv[i])));
    }
    double median100k = -1, median1M = -1, ratio100k = -1;
    for (int length : lengths) {
        const acquisitionWindows data = makeWindows(length);
        for (int panes : {1, 3}) {
            const figures ours = timeReduced(data, panes, length < 1000000 ? 21 : 11);
            // Plain Qwt takes seconds a redraw at a million points: a few runs say enough.
            const figures plain = timePlain(data, panes, length < 100000 ? 21 : (length < 1000000 ? 5 : 3));
            const double ratio = plain.median / ours.median;
            std::printf("%6d %10d   %8.1f / %7.1f   %8.1f / %7.1f   %7.1fx\n", panes, length, ours.median, ours.worst,
                        plain.median, plain.worst, ratio);
            std::fflush(stdout);
            if (panes == 3 && length == 100000) {
                median100k = ours.median;
                ratio100k = ratio;
            }
            if (panes == 3 && length == 1000000)
                median1M = ours.median;
        }
        if (length >= 100000) {
            const figures own = timeReduced(data, 3, length < 1000000 ? 21 : 11, true);
            std::printf("%6s %10d   %8.1f / %7.1f   (3 panes, each its own time range)\n", "3*", length, own.median,
                        own.worst);
        }
    }
    const goal goals[] = {{"3 panes x 48 curves, 100k points, median (ms)", median100k, 30.0, true},
                          {"3 panes x 48 curves, 1M points, median (ms)", median1M, 150.0, true},
                          {"plain Qwt / waveform at 100k points (x)", ratio100k, 10.0, false}};
    int missed = 0;
    for (const goal &g : goals) {
        const bool measured = g.value >= 0;
        const bool met = measured && (g.atMost ? g.value <= g.limit : g.value >= g.limit);
        missed += !met;
        std::printf("goal %-48s %8.1f %s %6.1f  %s\n", g.what, g.value, g.atMost ? "<=" : ">=", g.limit,
                    met ? "met" : (measured ? "MISSED" : "not run"));
    }
    return missed ? 1 : 0;
}
