// The measurement tab widget.
#include "measurement.h"

#include "measurement_acquisition.h"
#include "measurement_polling.h"
#include "measurement_triggerConfig.h"
#include "measurement_waveforms.h"

measurement::measurement(const panelContext &context, QWidget *parent)
    : QTabWidget(parent)
{
    polling = new measurement_polling(context, this);
    waveforms = new measurement_waveforms(context, this);
    acquisition = new measurement_acquisition(context);
    triggerConfig = new measurement_triggerConfig(context);
    addTab(polling, QStringLiteral("Continuous Polling"));
    addTab(waveforms, QStringLiteral("Waveforms"));
    addTab(acquisition, QStringLiteral("Data Acquisition"));
    addTab(triggerConfig, QStringLiteral("Trigger Configuration"));
    connect(this, &QTabWidget::currentChanged, polling, &measurement_polling::controlPolling);

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
    connect(waveforms, &measurement_waveforms::reloadRequested, this, &measurement::loadFile);
    // The view redraws for the life of the tab, shown or not.
    waveforms->startPolling();
}

bool measurement::loadFile()
{
    const int scans = acquisition->loadDataFile(lastLoad);
    if (scans <= 0)
        return false;
    waveforms->showLoadedFile(scans, lastLoad.plotLength);
    return true;
}

void measurement::refreshPage()
{
    polling->doRefresh();
    acquisition->doRefresh();
    waveforms->doRefresh(false);
    triggerConfig->doRefresh();
}

void measurement::applyViewerRestrictions()
{
    setTabEnabled(indexOf(polling), false);
    setTabEnabled(indexOf(triggerConfig), false);
    acquisition->applyViewerRestrictions();
    // A viewer opens on the file's waveforms rather than on a disabled live view.
    setCurrentWidget(waveforms);
}

void measurement::setAcquisitionIdle(bool idle, const QString &whyLocked)
{
    const int tab = indexOf(triggerConfig);
    setTabEnabled(tab, idle);
    setTabToolTip(tab, whyLocked);
    acquisition->setAcquisitionIdle(idle, whyLocked);
}
