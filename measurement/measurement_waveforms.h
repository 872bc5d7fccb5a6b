// The "Waveforms" sub-tab: three docked plot panes of what the plot windows hold, the
// displayed unit, the state line, and a 500 ms refresh that redraws while data arrive
// (and, in demo mode, drives the demo run).
//
// updateWaveforms() draws whatever plotWindows() holds (an acquisition or a loaded file):
// the available points are plotLength once the windows were filled (or in viewer mode),
// else plotDataPtr; each plot's position slider, when it has one, picks the first point.
#ifndef TS4720_MEASUREMENT_WAVEFORMS_H
#define TS4720_MEASUREMENT_WAVEFORMS_H

#include "loadedSamples.h"
#include "panelContext.h"
#include "plotPaging.h"
#include "windowStaging.h"

#include <QVector>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class waveform;

class measurement_waveforms : public QWidget {
    Q_OBJECT
public:
    // tabs: the measurement tab widget whose current sub-tab controlPolling() looks at.
    measurement_waveforms(const panelContext &context, QTabWidget *tabs, QWidget *parent = nullptr);
    ~measurement_waveforms() override;

    int scrollStep = 1;          // scans per slider step in viewer mode
    QComboBox *unit;
    QLabel *status;
    QPushButton *reload;         // viewer mode only
    QTimer *refreshTimer;
    waveform *plots[3];

    // Enables each plot's label i for a channel that delivers data.
    void setChannelsEnabled(const QVector<bool> &enabled);
    void setTimeAxisTitle(const QString &title);
    // Viewer mode, after each load of scans scans: sliders, labels of the channels the file
    // holds, time-axis title, auto-scaling, and the panes drawn from the new windows.
    void showLoadedFile(int scans, int plotLength);

signals:
    // Demo mode, while a run is on: one refresh's worth of generated scans is due.
    void demoPumpDue();
    void reloadRequested();

public slots:
    void doRefresh(bool forceUpdate);
    void doRefresh();
    void updateWaveforms(bool xAutoScaleOff);
    void updateWaveforms();
    void controlPolling();
    void startPolling();
    void stopPolling();
    waveform *getGraph(int i);
    void toggleChannels();
    void attachChannels();
    void unitChanged();

private:
    void buildDocks(class QMainWindow *area);
    void drawPlot(int p, const struct drawnData &data, bool setTimeAxis);

    panelContext m_context;
    QTabWidget *m_tabs;
    windowStaging m_staging;     // the windows as the last redraw saw them
    // Viewer mode: the load's samples, borrowed from the windows, paged by the sliders.
    void drawLoadedFile(bool xAutoScaleOff);
    // Pane p after its slider moved: its time axis follows, the other panes stay as they are.
    void drawLoadedPane(int p);
    // Before the windows are freed or reallocated: no pane or copy reads them any more.
    void letGoOfLoadedFile();
    loadedSamples m_loaded;
    plotPaging m_paging;
};

#endif
