// Construction of the waveform plot and its slots.
#include "waveform.h"

#include "axisConfig.h"
#include "chLabel.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "myQwtPlotPicker.h"
#include "myQwtScaleDraw.h"
#include "standardDialogs.h"
#include "plotExport.h"
#include "statisticsWindow.h"
#include "waveformCurve.h"
#include "waveformPlot.h"
#include "waveformSeries.h"

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_zoomer.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
const int maxChannels = 48;

// The axis widget the event happened over, by position: a scale widget ignores the event,
// which reaches this widget with the position mapped.
bool over(const QWidget *widget, const QWidget *receiver, const QMouseEvent *event)
{
    return widget->rect().contains(widget->mapFrom(receiver, event->pos()));
}

QwtText axisTitle(const QString &text)
{
    QwtText title(text);
    title.setFont(QFont(QStringLiteral("arial"), 10, QFont::Bold));
    return title;
}
} // namespace

waveform::waveform(QWidget *owner, int channelCount, bool viewerMode, QWidget *parent)
    : QWidget(parent), plot(new waveformPlot), owner(owner), scaleEngine(new QwtLinearScaleEngine(10)),
      m_scaleDraw(new myQwtScaleDraw(1))
{
    buildPlot();
    QWidget *legend = buildLegend(std::clamp(channelCount, 0, maxChannels));
    plot->axisWidget(QwtPlot::yLeft)->setCursor(Qt::PointingHandCursor);
    plot->axisWidget(QwtPlot::xBottom)->setCursor(Qt::PointingHandCursor);
    plot->axisWidget(QwtPlot::yLeft)->setToolTip(tr("Click to edit the range and displayed units."));
    plot->axisWidget(QwtPlot::xBottom)->setToolTip(tr("Click to edit the range."));
    setUpAxisDialogs();

    auto *row = new QHBoxLayout;
    row->addWidget(plot, 1);
    row->addWidget(buildSideColumn(legend));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    if (viewerMode) {
        positionSlider = new QSlider(Qt::Horizontal);
        positionSlider->setSingleStep(1);
        positionSlider->setPageStep(1);
        auto *sliderRow = new QHBoxLayout;
        sliderRow->addWidget(positionSlider);
        layout->addLayout(sliderRow);
    }
}

waveform::~waveform()
{
    // Curves not attached belong to no plot; deleting an attached one detaches it first.
    qDeleteAll(curves);
}

void waveform::buildPlot()
{
    plot->setCanvasBackground(QBrush(Qt::darkBlue));
    plot->setMinimumHeight(180);
    plot->setFrameStyle(QFrame::NoFrame);
    if (auto *canvas = qobject_cast<QwtPlotCanvas *>(plot->canvas()))
        canvas->setFrameStyle(QFrame::NoFrame);

    const QFont tickFont(QStringLiteral("courier"), 8);
    plot->setAxisScaleDraw(QwtPlot::yLeft, m_scaleDraw);
    plot->setAxisFont(QwtPlot::yLeft, tickFont);
    plot->setAxisTitle(QwtPlot::yLeft, axisTitle(m_unit.text));
    plot->setAxisScale(QwtPlot::yLeft, -273.15, 2500.0);
    scaleEngine->setMargins(1.0, 1.0);
    plot->setAxisScaleEngine(QwtPlot::yLeft, scaleEngine);

    plot->setAxisFont(QwtPlot::xBottom, tickFont);
    plot->setAxisTitle(QwtPlot::xBottom, axisTitle(tr("Seconds")));
    plot->setAxisMaxMajor(QwtPlot::xBottom, 5);
    plot->setAxisScale(QwtPlot::xBottom, 0.0, 1.0);

    picker = new myQwtPlotPicker(plot->canvas());
    picker->setTrackerPen(QPen(Qt::white));

    zoomer = new QwtPlotZoomer(QwtPlot::xBottom, QwtPlot::yLeft, plot->canvas(), true);
    zoomer->setRubberBandPen(QPen(Qt::white));
    zoomer->setTrackerMode(QwtPicker::AlwaysOff);
    connect(zoomer, &QwtPlotZoomer::zoomed, this, &waveform::zoomed);

    auto *grid = new QwtPlotGrid;
    grid->enableXMin(true);
    grid->setMajorPen(QPen(QColor(Qt::darkGray), 0, Qt::DotLine));
    grid->setMinorPen(QPen(QColor(Qt::darkGray).darker(200), 0, Qt::DotLine));
    grid->attach(plot);
}

QWidget *waveform::buildLegend(int channelCount)
{
    auto *legend = new QFrame;
    auto *grid = new QGridLayout(legend);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    for (int i = 0; i < channelCount; ++i) {
        auto *label = new chLabel(i);
        auto *curve = new waveformCurve(tr("Ch %1").arg(i + 1));
        curve->setPen(label->pen());
        grid->addWidget(label, i / 4, i % 4);
        labels.append(label);
        curves.append(curve);
        connect(label, &chLabel::clicked, this, &waveform::channelToggled);
    }
    return legend;
}

QWidget *waveform::buildSideColumn(QWidget *legend)
{
    auto *all = new QPushButton(tr("All"));
    auto *none = new QPushButton(tr("None"));
    all->setToolTip(tr("Show all channels"));
    none->setToolTip(tr("Hide all channels"));
    for (QPushButton *button : {all, none})
        button->setSizePolicy(QSizePolicy::Ignored, button->sizePolicy().verticalPolicy());
    connect(all, &QPushButton::clicked, this, &waveform::selectAll);
    connect(none, &QPushButton::clicked, this, &waveform::deselectAll);

    autoScale = new QCheckBox(tr("Auto Scale"));
    autoScale->setChecked(true);
    connect(autoScale, &QCheckBox::stateChanged, this, &waveform::autoScaleClicked);

    auto *exportButton = new QToolButton;
    exportButton->setText(tr("Export"));
    exportButton->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(exportButton);
    connect(menu->addAction(tr("Save Image...")), &QAction::triggered, this, &waveform::saveImage);
    connect(menu->addAction(tr("Copy Image")), &QAction::triggered, this, &waveform::copyImage);
    connect(menu->addAction(tr("Statistics")), &QAction::triggered, this, &waveform::showStatistics);
    exportButton->setMenu(menu);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(none);
    auto *side = new QWidget;
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(legend);
    column->addLayout(buttons);
    column->addStretch();
    column->addWidget(autoScale);
    column->addWidget(exportButton);
    return side;
}

void waveform::setUpAxisDialogs()
{
    yAxisConfig = new axisConfig(owner, this);
    for (QDoubleSpinBox *box : {yAxisConfig->lower, yAxisConfig->upper}) {
        box->setSuffix(QStringLiteral(" %1 ").arg(m_unit.text));
        box->setRange(m_unit.minimum, m_unit.maximum);
        box->setDecimals(2);
        box->setSingleStep(0.1);
    }
    yAxisConfig->customRange->setCheckable(true);

    xAxisConfig = new axisConfig(owner, this);
    for (QDoubleSpinBox *box : {xAxisConfig->lower, xAxisConfig->upper}) {
        box->setSuffix(QStringLiteral(" sec "));
        box->setDecimals(6);
        box->setSingleStep(0.000001);
    }
    yMin = yAxisConfig->lower->value();
    yMax = yAxisConfig->upper->value();
    xMin = xAxisConfig->lower->value();
    xMax = xAxisConfig->upper->value();
}

void waveform::setCurveData(int curve, plotSamples::ptr time, plotSamples::ptr values, int first, int count)
{
    if (curve < 0 || curve >= curves.size())
        return;
    curves[curve]->setData(new waveformSeries(std::move(time), std::move(values), first, count));
}

void waveform::setCurveSamples(int curve, const double *time, const double *celsius, int count)
{
    setCurveData(curve, plotSamples::copy(time, count),
                 plotSamples::copy(celsius, count, m_unit.scale, m_unit.offset), 0, count);
}

void waveform::attachShownCurves()
{
    for (int i = 0; i < curves.size(); ++i)
        curves[i]->attach(labels[i]->isEnabled() && labels[i]->isShown() ? plot : nullptr);
}

void waveform::setDisplayUnit(QChar unit)
{
    m_unit = temperatureUnit::of(unit);
    plot->setAxisTitle(QwtPlot::yLeft, axisTitle(m_unit.text));
    picker->setUnitText(m_unit.tracker);
    for (QDoubleSpinBox *box : {yAxisConfig->lower, yAxisConfig->upper}) {
        box->setSuffix(QStringLiteral(" %1 ").arg(m_unit.text));
        box->setRange(m_unit.minimum, m_unit.maximum);
    }
}

void waveform::setAxisPrecision(double min, double max)
{
    const double span = std::fabs(max - min);
    m_scaleDraw->setPrecision(span < 1.0 ? 3 : (span < 10.0 ? 2 : 1));
    plot->axisWidget(QwtPlot::yLeft)->update();
}

void waveform::scaleUpdate()
{
    const QwtScaleDiv &x = plot->axisScaleDiv(QwtPlot::xBottom);
    const QwtScaleDiv &y = plot->axisScaleDiv(QwtPlot::yLeft);
    xMin = x.lowerBound();
    xMax = x.upperBound();
    yMin = y.lowerBound();
    yMax = y.upperBound();
    picker->setTimeRange(xMin, xMax);
    setAxisPrecision(yMin, yMax);
}

void waveform::updateZoomBase()
{
    zoomer->setZoomBase(QRectF(xMin, yMin, xMax - xMin, yMax - yMin));
    setAxisPrecision(yMin, yMax);
}

void waveform::zoomed(const QRectF &)
{
    const QwtScaleDiv &x = plot->axisScaleDiv(QwtPlot::xBottom);
    const QwtScaleDiv &y = plot->axisScaleDiv(QwtPlot::yLeft);
    picker->setTimeRange(x.lowerBound(), x.upperBound());
    setAxisPrecision(y.lowerBound(), y.upperBound());
    plot->replot();
}

void waveform::selectAll()
{
    for (chLabel *label : labels)
        label->setShown(true);
}

void waveform::deselectAll()
{
    for (chLabel *label : labels)
        label->setShown(false);
}

void waveform::mouseReleaseEvent(QMouseEvent *event)
{
    if (over(plot->axisWidget(QwtPlot::yLeft), this, event))
        editTemperatureAxis();
    else if (over(plot->axisWidget(QwtPlot::xBottom), this, event))
        editTimeAxis();
    plot->replot();
}

// Puts the axis's current bounds into min, max and the dialog's boxes (which clamp them to
// their range), then runs the dialog.
static bool runAxisDialog(axisConfig *dialog, const QwtPlot *plot, int axis, double &min, double &max)
{
    const QwtScaleDiv &bounds = plot->axisScaleDiv(axis);
    min = bounds.lowerBound();
    max = bounds.upperBound();
    dialog->lower->setValue(min);
    dialog->upper->setValue(max);
    return dialog->exec() == QDialog::Accepted;
}

void waveform::editTemperatureAxis()
{
    yAxisConfig->customRange->setChecked(!autoScale->isChecked());
    if (!runAxisDialog(yAxisConfig, plot, QwtPlot::yLeft, yMin, yMax))
        return;
    const bool custom = yAxisConfig->customRange->isChecked();
    if (custom) {
        yMin = yAxisConfig->lower->value();
        yMax = yAxisConfig->upper->value();
        plot->setAxisScale(QwtPlot::yLeft, yMin, yMax);
    } else {
        // Back to auto-scaling at once, also where no refresh follows (a file on view).
        plot->setAxisAutoScale(QwtPlot::yLeft, true);
    }
    setAxisPrecision(yMin, yMax);
    autoScale->setChecked(!custom);
}

void waveform::editTimeAxis()
{
    if (!runAxisDialog(xAxisConfig, plot, QwtPlot::xBottom, xMin, xMax))
        return;
    xMin = xAxisConfig->lower->value();
    xMax = xAxisConfig->upper->value();
    plot->setAxisScale(QwtPlot::xBottom, xMin, xMax);
    picker->setTimeRange(xMin, xMax);
}

QList<waveformCurve *> waveform::shownCurves() const
{
    QList<waveformCurve *> shown;
    for (waveformCurve *curve : curves) {
        if (curve->plot() == plot)
            shown.append(curve);
    }
    return shown;
}

static plotExport exportOf(QwtPlot *plot, const QList<waveformCurve *> &curves)
{
    return plotExport(plot, QList<QwtPlotCurve *>(curves.begin(), curves.end()));
}

void waveform::saveImage()
{
    QString filter;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = standardDialogs::saveFileName(this, tr("Save Image"), documents,
                                             tr("PNG image (*.png);;PDF document (*.pdf)"), &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("pdf")) ? QStringLiteral(".pdf") : QStringLiteral(".png");
    if (!exportOf(plot, shownCurves()).save(path))
        messageBoxes::warning(this, ts2900fp_sfpTitle(),
                              tr("Cannot write '%1'.").arg(QDir::toNativeSeparators(path)));
}

void waveform::copyImage()
{
    QApplication::clipboard()->setImage(exportOf(plot, shownCurves()).image());
}

void waveform::showStatistics()
{
    const QwtScaleDiv &x = plot->axisScaleDiv(QwtPlot::xBottom);
    QVector<statisticsWindow::row> rows;
    for (waveformCurve *curve : shownCurves())
        rows.append({curve->title().text(), curve->pen().color(),
                     plotStatistics::of(*curve->data(), x.lowerBound(), x.upperBound())});
    if (!m_statistics)
        m_statistics = new statisticsWindow(this);
    m_statistics->setRows(rows, m_unit.text, x.lowerBound(), x.upperBound());
    m_statistics->show();
    m_statistics->raise();
}
