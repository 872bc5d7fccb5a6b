// The "Measurement" tab: its sub-tabs, and the wiring between them.
#ifndef TS4720_MEASUREMENT_H
#define TS4720_MEASUREMENT_H

#include "panelContext.h"
#include "panelPage.h"

#include <QTabWidget>

class measurement_acquisition;
class measurement_waveforms;

class measurement : public QTabWidget, public panelPage {
    Q_OBJECT
public:
    explicit measurement(const panelContext &context, QWidget *parent = nullptr);

    measurement_waveforms *waveforms = nullptr;
    measurement_acquisition *acquisition = nullptr;

    void refreshPage() override;
    void applyViewerRestrictions() override;
    void setAcquisitionIdle(bool idle, const QString &whyLocked) override;
};

#endif
