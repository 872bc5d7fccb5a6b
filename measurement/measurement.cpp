// The measurement tab widget.
#include "measurement.h"

#include "measurement_acquisition.h"
#include "measurement_waveforms.h"

#include <QTimer>

measurement::measurement(const panelContext &context, QWidget *parent)
    : QTabWidget(parent)
{
    waveforms = new measurement_waveforms(context, this);
    acquisition = new measurement_acquisition(context);
    addTab(waveforms, QStringLiteral("Waveforms"));
    addTab(acquisition, QStringLiteral("Data Acquisition"));

    connect(acquisition, &measurement_acquisition::channelsChosen, waveforms, [this](const QVector<bool> &enabled) {
        waveforms->setChannelsEnabled(enabled);
        waveforms->attachChannels();
    });
    connect(acquisition, &measurement_acquisition::runStarted, waveforms, [this](const QString &title) {
        waveforms->setTimeAxisTitle(title);
        waveforms->doRefresh(false);
    });
    connect(acquisition, &measurement_acquisition::dataChanged, waveforms, [this] { waveforms->doRefresh(false); });
    connect(waveforms, &measurement_waveforms::demoPumpDue, acquisition, &measurement_acquisition::pumpDemo);
    // The view redraws for the life of the tab, shown or not.
    waveforms->startPolling();
}

void measurement::refreshPage()
{
    acquisition->doRefresh();
    waveforms->doRefresh(false);
}

void measurement::applyViewerRestrictions()
{
    acquisition->applyViewerRestrictions();
}

void measurement::setAcquisitionIdle(bool idle, const QString &whyLocked)
{
    acquisition->setAcquisitionIdle(idle, whyLocked);
}
