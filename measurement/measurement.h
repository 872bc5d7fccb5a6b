// The "Measurement" tab: the live view, the Waveforms view, the acquisition and the trigger
// configuration as sub-tabs, in that order, and the wiring between them.
#ifndef TS4720_MEASUREMENT_H
#define TS4720_MEASUREMENT_H

#include "panelContext.h"
#include "panelPage.h"
#include "partLoadCfg.h"

#include <QTabWidget>

class measurement_acquisition;
class measurement_polling;
class measurement_triggerConfig;
class measurement_waveforms;

class measurement : public QTabWidget, public panelPage {
    Q_OBJECT
public:
    explicit measurement(const panelContext &context, QWidget *parent = nullptr);

    measurement_polling *polling = nullptr;
    measurement_waveforms *waveforms = nullptr;
    measurement_acquisition *acquisition = nullptr;
    measurement_triggerConfig *triggerConfig = nullptr;

    // The last load's selection, offered by the next "Load Data File" dialog.
    loadSelection lastLoad;

    // Viewer mode: asks which scans of the loaded file to show, loads them and shows them in
    // the Waveforms view. False when nothing was loaded (the dialog was cancelled, the load
    // was refused or cancelled, or the file could not be read).
    bool loadFile();

    void refreshPage() override;
    // The live view and the trigger configuration need an instrument.
    void applyViewerRestrictions() override;
    // The trigger configuration is locked while an acquisition is not idle, and so are the
    // acquisition page's Start, Configuration and Options.
    void setAcquisitionIdle(bool idle, const QString &whyLocked) override;
};

#endif
