// The multi-channel temperature-versus-time plot: curves, colour legend, "All"/"None",
// "Auto Scale", zoom, tracker, axis dialogs, export, and in viewer mode a position slider.
//
// Handing data over: a caller copies each window once per redraw into a plotSamples (in
// the displayed unit), or borrows a window that stays unchanged (a loaded file), and hands
// it to every pane and curve that shows it with setCurveData(); they are shared, so three
// panes of 48 curves cost one copy per window. Redraws reduce each curve to what the canvas can show, so their cost follows the
// canvas width, not the plot length. Callers attach the curves of shown labels
// (attachShownCurves()), set scales, replot, then call scaleUpdate() and updateZoomBase().
#ifndef WAVEFORM_H
#define WAVEFORM_H

#include "plotSamples.h"
#include "temperatureUnit.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QSlider;
class QwtLinearScaleEngine;
class QwtPlot;
class QwtPlotZoomer;
class axisConfig;
class chLabel;
class myQwtPlotPicker;
class myQwtScaleDraw;
class statisticsWindow;
class waveformCurve;

class waveform : public QWidget {
    Q_OBJECT
public:
    // owner lends the axis dialogs its window icon; channelCount labels and curves (at most
    // 48); viewerMode (a data file is shown) adds the position slider row.
    waveform(QWidget *owner, int channelCount, bool viewerMode, QWidget *parent = nullptr);
    ~waveform() override;

    QwtPlot *plot;
    QList<chLabel *> labels;
    QList<waveformCurve *> curves;  // QwtPlotCurves, not attached at construction
    QCheckBox *autoScale;
    double yMin = 0.0;
    double yMax = 0.0;
    double xMin = 0.0;
    double xMax = 0.0;
    axisConfig *yAxisConfig;
    axisConfig *xAxisConfig;
    myQwtPlotPicker *picker;
    QwtPlotZoomer *zoomer;
    QSlider *positionSlider = nullptr;  // viewer mode only
    QWidget *owner;
    QwtLinearScaleEngine *scaleEngine;  // of the temperature axis

    // Curve i shows samples [first, first + count) of time (seconds) and values (in the
    // displayed unit). The copies are shared, never copied again; null copies clear the curve.
    void setCurveData(int curve, plotSamples::ptr time, plotSamples::ptr values, int first, int count);
    // Copies count pairs for curve i, converting degrees Celsius to the displayed unit.
    void setCurveSamples(int curve, const double *time, const double *celsius, int count);

    // Attaches the curves whose labels are enabled and shown, detaches the others.
    void attachShownCurves();

    // 'C', 'F' or 'K': temperature-axis title, tracker unit, and the temperature dialog's
    // suffix and range. Data already handed over keep their values.
    void setDisplayUnit(QChar unit);
    temperatureUnit displayUnit() const { return m_unit; }

    // Export menu actions, callable directly.
    void saveImage();
    void copyImage();
    void showStatistics();

signals:
    void channelToggled();
    void autoScaleClicked(int state);

public slots:
    void scaleUpdate();
    void updateZoomBase();
    void selectAll();
    void deselectAll();
    void zoomed(const QRectF &rect);
    void setAxisPrecision(double min, double max);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildPlot();
    QWidget *buildLegend(int channelCount);
    QWidget *buildSideColumn(QWidget *legend);
    void setUpAxisDialogs();
    void editTemperatureAxis();
    void editTimeAxis();
    QList<waveformCurve *> shownCurves() const;

    myQwtScaleDraw *m_scaleDraw;
    temperatureUnit m_unit = temperatureUnit::of(QLatin1Char('C'));
    QPointer<statisticsWindow> m_statistics;
};

#endif
