// The measurement tab widget.
#include "measurement.h"

#include "measurement_polling.h"
#include "measurement_triggerConfig.h"

measurement::measurement(const panelContext &context, QWidget *parent)
    : QTabWidget(parent)
{
    polling = new measurement_polling(context, this);
    triggerConfig = new measurement_triggerConfig(context);
    addTab(polling, QStringLiteral("Continuous Polling"));
    addTab(triggerConfig, QStringLiteral("Trigger Configuration"));
    connect(this, &QTabWidget::currentChanged, polling, &measurement_polling::controlPolling);
}

void measurement::refreshPage()
{
    polling->doRefresh();
    triggerConfig->doRefresh();
}

void measurement::applyViewerRestrictions()
{
    setTabEnabled(indexOf(polling), false);
    setTabEnabled(indexOf(triggerConfig), false);
}

void measurement::setAcquisitionIdle(bool idle, const QString &whyLocked)
{
    const int tab = indexOf(triggerConfig);
    setTabEnabled(tab, idle);
    setTabToolTip(tab, whyLocked);
}
