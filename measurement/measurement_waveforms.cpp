// The Waveforms view.
#include "measurement_waveforms.h"

#include "acquisitionConnection.h"
#include "acquisitionWindows.h"
#include "chLabel.h"
#include "loadedFile.h"
#include "paneRedraw.h"
#include "pollingThread.h"
#include "trace.h"
#include "waveform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <qwt_plot.h>
#include <qwt_text.h>

#include <algorithm>

// One redraw's copies of the windows, taken under the acquisition data lock.
struct drawnData {
    plotSamples::ptr time;                 // plotLength values
    std::vector<plotSamples::ptr> windows; // window k: the k-th channel delivering data
    int available = 0;
    int plotLength = 0;
};

namespace {
bool wasRunning = false; // GUI thread only: the run was on at the previous refresh

// Points the windows hold; the caller holds the acquisition data lock.
int pointsAvailable(const acquisitionWindows &w, bool viewer)
{
    const int points = w.plotOffset != 0 || viewer ? w.plotLength : w.plotDataPtr;
    return std::min(points, w.dataLength());
}

QString stateName(int state)
{
    switch (state) {
    case 0: return QStringLiteral("IDLE");
    case 1: return QStringLiteral("ARM");
    case 2: return QStringLiteral("RUNNING");
    default: return QStringLiteral("-");
    }
}
} // namespace

measurement_waveforms::measurement_waveforms(const panelContext &context, QTabWidget *tabs, QWidget *parent)
    : QWidget(parent), m_context(context), m_tabs(tabs)
{
    unit = new QComboBox;
    unit->addItem(QStringLiteral("\u00b0C"), QChar('C'));
    unit->addItem(QStringLiteral("\u00b0F"), QChar('F'));
    unit->addItem(QStringLiteral("K"), QChar('K'));
    status = new QLabel;
    reload = new QPushButton(QStringLiteral("Reload"));
    reload->setVisible(context.viewer);
    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("Temperature Units: ")));
    top->addWidget(unit);
    top->addSpacing(20);
    top->addWidget(status);
    top->addSpacing(20);
    top->addWidget(reload);
    top->addStretch();
    auto *area = new QMainWindow;
    area->setWindowFlags(Qt::Widget);
    area->setDocumentMode(true);
    area->setDockOptions(QMainWindow::AllowTabbedDocks);
    buildDocks(area);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(20);
    layout->addWidget(area);

    connect(reload, &QPushButton::clicked, this, &measurement_waveforms::reloadRequested);
    connect(unit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &measurement_waveforms::unitChanged);
    refreshTimer = new QTimer(this);
    refreshTimer->setInterval(500);
    connect(refreshTimer, &QTimer::timeout, this, [this] { doRefresh(); });
    if (m_context.viewer)
        plotWindows().addReleaseListener(this, [this] { letGoOfLoadedFile(); });
}

measurement_waveforms::~measurement_waveforms()
{
    if (m_context.viewer)
        plotWindows().removeReleaseListener(this);
}

void measurement_waveforms::buildDocks(QMainWindow *area)
{
    QDockWidget *docks[3];
    for (int p = 0; p < 3; ++p) {
        plots[p] = new waveform(window(), m_context.channelCount, m_context.viewer);
        plots[p]->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
        docks[p] = new QDockWidget(QStringLiteral("Waveform %1").arg(p + 1));
        docks[p]->setWidget(plots[p]);
        docks[p]->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        docks[p]->setAllowedAreas(Qt::NoDockWidgetArea);
        area->addDockWidget(Qt::TopDockWidgetArea, docks[p]);
        if (p > 0)
            area->tabifyDockWidget(docks[0], docks[p]);
        connect(plots[p], &waveform::channelToggled, this, &measurement_waveforms::toggleChannels);
        connect(plots[p], &waveform::autoScaleClicked, this, [this] { updateWaveforms(); });
        {
            const QSignalBlocker blocker(plots[p]);
            if (p == 0)
                plots[p]->selectAll();
            else
                plots[p]->deselectAll();
        }
        if (QSlider *slider = plots[p]->positionSlider)
            connect(slider, &QSlider::valueChanged, this, [this, p] { drawLoadedPane(p); });
    }
    docks[0]->raise();
}

void measurement_waveforms::setChannelsEnabled(const QVector<bool> &enabled)
{
    for (waveform *plot : plots)
        for (int i = 0; i < plot->labels.size() && i < enabled.size(); ++i)
            plot->labels[i]->setChannelEnabled(enabled[i]);
}

void measurement_waveforms::setTimeAxisTitle(const QString &title)
{
    QwtText text(title);
    text.setFont(QFont(QStringLiteral("arial"), 10, QFont::Bold));
    for (waveform *plot : plots)
        plot->plot->setAxisTitle(QwtPlot::xBottom, text);
}

namespace {
// While the driver reconnects the run, the status line says so with the seconds left.
QString reconnectNote(ViSession vi)
{
    const int left = acquisitionConnection::reconnectSecondsLeft(vi);
    if (left < 0)
        return QString();
    return QStringLiteral(" &nbsp; &nbsp; <b><font color=\"#c07000\">%1</font></b>")
        .arg(acquisitionConnection::reconnectingText(left));
}
} // namespace

void measurement_waveforms::doRefresh(bool forceUpdate)
{
    const int state = m_context.poller ? m_context.poller->snapshot().acquisitionState : -1;
    int available, backlog;
    bool running;
    {
        const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
        available = pointsAvailable(plotWindows(), m_context.viewer);
        backlog = plotWindows().backlog;
        running = plotWindows().running;
    }
    if (m_context.viewer)
        status->setText(QStringLiteral("Data loaded from file:  %1")
                            .arg(QDir::toNativeSeparators(QString::fromLocal8Bit(loadedFile().path))));
    else
        status->setText(QStringLiteral("State: <b>%1</b> &nbsp; &nbsp; Scan Backlog: <b>%2</b>%3")
                            .arg(stateName(state)).arg(state != 0 ? backlog : 0).arg(reconnectNote(m_context.vi)));
    if (available > 0 && (running || wasRunning || forceUpdate))
        updateWaveforms(false);
    wasRunning = running;
}

void measurement_waveforms::doRefresh()
{
    doRefresh(false);
}

void measurement_waveforms::updateWaveforms(bool xAutoScaleOff)
{
    if (m_context.demo && !m_context.viewer) {
        bool running;
        {
            const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
            running = plotWindows().running;
        }
        if (running)
            emit demoPumpDue(); // before the lock: the pump takes it itself
    }
    if (m_context.viewer) {
        drawLoadedFile(xAutoScaleOff);
        return;
    }
    int needed = 0; // windows the plots show: as many as labels of delivering channels
    for (waveform *plot : plots)
        needed = std::max<int>(needed, std::count_if(plot->labels.begin(), plot->labels.end(),
                                                     [](chLabel *l) { return l->isEnabled(); }));
    const temperatureUnit shown = plots[0]->displayUnit();
    {
        // Held only while the scans that arrived since the last redraw are copied: the
        // callback waits for no more than that. Summaries, curves and scales come after.
        const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
        const acquisitionWindows &w = plotWindows();
        if (!w.timeWindow())
            return;
        int windows = 0;
        while (windows < needed && w.window(windows))
            ++windows;
        m_staging.take(w, windows, pointsAvailable(w, m_context.viewer), !w.running);
    }
    m_staging.apply();
    drawnData data;
    data.available = m_staging.available();
    data.plotLength = m_staging.plotLength();
    data.time = plotSamples::copy(m_staging.time(), data.plotLength);
    std::vector<const double *> staged;
    for (int k = 0; k < m_staging.windows(); ++k)
        staged.push_back(m_staging.window(k));
    data.windows = plotSamples::copyEach(staged, data.available, shown.scale, shown.offset);
    for (int p = 0; p < 3; ++p)
        drawPlot(p, data, !xAutoScaleOff && plots[p]->autoScale->isChecked());
}

void measurement_waveforms::drawPlot(int p, const drawnData &data, bool setTimeAxis)
{
    waveform *plot = plots[p];
    int first = 0, count = data.available;
    if (plot->positionSlider) {
        first = plot->positionSlider->value() * scrollStep;
        const int loaded = data.available;
        if (first + count > loaded || plot->positionSlider->value() == plot->positionSlider->maximum())
            count = std::max(loaded - first, 0);
    }
    size_t k = 0;
    for (int j = 0; j < plot->labels.size(); ++j) {
        if (!plot->labels[j]->isEnabled())
            continue;
        if (k < data.windows.size())
            plot->setCurveData(j, data.time, data.windows[k], first, count);
        ++k;
    }
    const int span = plot->positionSlider ? std::min(data.plotLength, data.available - first) : data.plotLength;
    finishPaneRedraw(plot, data.time.get(), first, span, setTimeAxis);
}

void measurement_waveforms::updateWaveforms()
{
    updateWaveforms(false);
}

void measurement_waveforms::controlPolling()
{
    if (m_tabs && m_tabs->currentWidget() == this)
        startPolling();
    else
        stopPolling();
}

void measurement_waveforms::startPolling()
{
    doRefresh(false);
    trace("measurement_waveforms: START\n");
    refreshTimer->start();
}

void measurement_waveforms::stopPolling()
{
    trace("measurement_waveforms: STOP\n");
    refreshTimer->stop();
}

waveform *measurement_waveforms::getGraph(int i)
{
    return i >= 0 && i < 3 ? plots[i] : nullptr;
}

void measurement_waveforms::toggleChannels()
{
    if (auto *plot = qobject_cast<waveform *>(sender()))
        plot->attachShownCurves();
    updateWaveforms(true);
}

void measurement_waveforms::attachChannels()
{
    for (waveform *plot : plots)
        plot->attachShownCurves();
    updateWaveforms(false);
}

void measurement_waveforms::unitChanged()
{
    for (waveform *plot : plots)
        plot->setDisplayUnit(unit->currentData().toChar());
    if (m_context.viewer)
        letGoOfLoadedFile();   // the old unit's summaries go before the new ones are made
    doRefresh(true);
}
