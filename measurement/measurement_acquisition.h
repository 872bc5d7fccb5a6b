// The "Data Acquisition" sub-tab: clock, rate, start and stop conditions, storage and plot
// length of a recorded acquisition, the state and PTP time, and Start/Stop of the run.
#ifndef TS4720_MEASUREMENT_ACQUISITION_H
#define TS4720_MEASUREMENT_ACQUISITION_H

#include "acquisitionSettingsSource.h"
#include "panelContext.h"

#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class PTPalarm;
class acqConfig;
class acquisitionRun;
struct dataFileColumns;
struct loadSelection;
struct runPlan;
struct dataFileSettings;

class measurement_acquisition : public QWidget {
    Q_OBJECT
public:
    explicit measurement_acquisition(const panelContext &context, QWidget *parent = nullptr);
    ~measurement_acquisition() override;

    // The model line and serial number of the data files this page writes.
    void setFileIdentity(const QString &subType, const QByteArray &serialNumber);
    // Start and the Configuration and Options groups only while idle, Stop only while not.
    void setAcquisitionIdle(bool idle, const QString &whyLocked);
    void applyViewerRestrictions();

    // How "Start" asks for the local file; a test may answer instead of the modal dialog.
    std::function<bool(acqConfig *)> askOutputFile;

    // Viewer mode: the "Load Data File" dialog, preset from remembered (which then holds the
    // new selection), and its scans read into the plot windows; the plot length box takes
    // the selection's. Returns the scans loaded, 0 when nothing was.
    int loadDataFile(loadSelection &remembered);

    QComboBox *clockSource, *startMode, *stopMode, *storage;
    QDoubleSpinBox *scanRate, *time;
    QSpinBox *numberOfScans, *plotLength;
    QLabel *scanRateCaption, *intervalLabel, *stateLabel, *timeLabel;
    QCheckBox *storeTimestamps, *storeVoltage, *storeColdJunction;
    QGroupBox *configurationGroup, *optionsGroup;
    QPushButton *refreshButton, *startButton, *stopButton;
    PTPalarm *alarm;
    acqConfig *outputConfig;
    acquisitionRun *run;
    double acquisitionTime = 0; // seconds, the last computed duration

    // The process-wide remembered PTP alarm (seconds since 1970; 0 = none).
    static quint32 &rememberedAlarm();

signals:
    // Before a run: which channels (by index) deliver data; the plots enable their labels.
    void channelsChosen(const QVector<bool> &enabled);
    // A run started; the plots' time axis gets the title.
    void runStarted(const QString &timeAxisTitle);
    // The data changed without a refresh being due (the end of a run).
    void dataChanged();

public slots:
    void doRefresh();
    void doStateRefresh();
    void TEMPforceRead();
    void startAcquisition();
    void stopAcquisition();
    void filterTimingOptions();
    void updateAcqTime();
    void updateNumberOfSamples();
    void validateScanRate(bool update);
    void validateScanRate();
    void clockSourceSelected();
    void startModeSelected();
    void updateDuration_acqTimeEditing();
    void updateDuration();
    void setAlarmNow();
    // The Waveforms refresh drives a demo run.
    void pumpDemo();

private:
    void buildWidgets();
    QWidget *buildLayout();
    void connectControls();
    void addStorageEntries();
    void updateStopModes();
    void showSettings(const acquisitionSettings &s);
    bool externalClock() const;
    int stopCode() const;
    bool checkStart(int threshold);
    bool openLocalFile(const runPlan &plan);
    bool checkFreeSpace(const QString &path, const dataFileColumns &columns);
    QVector<bool> chooseChannels(std::vector<int> &numbers);
    void programInstrument(std::vector<int> &channels, int threshold, bool fileWanted);
    dataFileSettings fileSettings() const;
    void runEnded(const QString &problem);
    void fileFailed(const QString &path, const QString &why);

    panelContext m_context;
    std::unique_ptr<acquisitionSettingsSource> m_source;
    QString m_subType = QStringLiteral("AC");
    QByteArray m_serial = "Not Available";
    bool m_idle = true;
    bool m_instrumentRunStarted = false; // the driver was given the callback once
};

#endif
