// The acquisition settings page: widgets, the rules that keep them consistent, refreshes.
// Start and Stop are in measurement_acquisitionStart.cpp.
#include "measurement_acquisition.h"

#include "PTPalarm.h"
#include "acqConfig.h"
#include "acquisitionRun.h"
#include "demoStore.h"
#include "driverCall.h"
#include "pollingThread.h"
#include "waitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace {
struct stopModeRow {
    int code;
    const char *text;
};
const stopModeRow kStopModes[] = {
    {0, "Stop after predefined number of scans is acquired"},
    {1, "Stop after predefined time"},
    {2, "Stop on user request"},
    {3, "Stop on trigger (pulse)"},
    {4, "Stop on trigger (gate)"},
};

QComboBox *combo(std::initializer_list<const char *> texts)
{
    auto *box = new QComboBox;
    box->setMinimumWidth(120);
    int data = 0;
    for (const char *text : texts)
        box->addItem(QString::fromLatin1(text), data++);
    return box;
}

// Caption in column 0; in column 1 [40 px, control, 20 px, companion, stretch].
void addRow(QGridLayout *grid, const QString &caption, QWidget *control, QWidget *companion = nullptr,
            QLabel *captionLabel = nullptr)
{
    const int row = grid->rowCount();
    QLabel *label = captionLabel ? captionLabel : new QLabel(caption);
    label->setMinimumWidth(140);
    grid->addWidget(label, row, 0);
    auto *line = new QHBoxLayout;
    line->addSpacing(40);
    line->addWidget(control);
    line->addSpacing(20);
    if (companion)
        line->addWidget(companion);
    line->addStretch();
    grid->addLayout(line, row, 1);
}
} // namespace

quint32 &measurement_acquisition::rememberedAlarm()
{
    static quint32 alarm = 0; // GUI thread only
    return alarm;
}

measurement_acquisition::measurement_acquisition(const panelContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_source(acquisitionSettingsSource::create(context))
{
    buildWidgets();
    auto *page = new QVBoxLayout(this);
    page->addWidget(buildLayout());
    connectControls();
    run = new acquisitionRun(this);
    connect(run, &acquisitionRun::ended, this, &measurement_acquisition::runEnded, Qt::QueuedConnection);
    connect(run, &acquisitionRun::fileFailed, this, &measurement_acquisition::fileFailed, Qt::QueuedConnection);
    askOutputFile = [](acqConfig *dialog) { return dialog->exec() == QDialog::Accepted; };
    plotLength->setValue(demoStore::plotLength());
    updateStopModes();
    filterTimingOptions();
    if (m_context.demo && !m_context.viewer)
        stopAcquisition();
}

measurement_acquisition::~measurement_acquisition()
{
    demoStore::setPlotLength(plotLength->value());
    // Also after the run's end: its last callback may still be returning.
    if (m_instrumentRunStarted)
        ts4720_stopAcquisition(m_context.vi);
    run->finish();
    run->freeBuffers();
}

void measurement_acquisition::setFileIdentity(const QString &subType, const QByteArray &serialNumber)
{
    m_subType = subType;
    m_serial = serialNumber;
}

void measurement_acquisition::buildWidgets()
{
    clockSource = combo({"Internal", "PTP", "Rear Panel Line 1", "Rear Panel Line 2"});
    startMode = combo({"Immediate", "PTP Alarm", "Rear Panel Line 1", "Rear Panel Line 2"});
    stopMode = combo({});
    storage = combo({});
    addStorageEntries();
    scanRate = new QDoubleSpinBox;
    scanRate->setDecimals(0);
    scanRate->setSuffix(QStringLiteral(" Hz"));
    scanRate->setRange(1, 1000);
    numberOfScans = new QSpinBox;
    numberOfScans->setRange(1, 1000000000);
    time = new QDoubleSpinBox;
    time->setDecimals(3);
    time->setSuffix(QStringLiteral(" s"));
    time->setRange(0, 1000000000);
    plotLength = new QSpinBox;
    plotLength->setRange(10, 1000000000);
    plotLength->setSuffix(QStringLiteral(" scans"));
    plotLength->setValue(100);
    for (QWidget *w : std::initializer_list<QWidget *>{scanRate, numberOfScans, time, plotLength})
        w->setMinimumWidth(120);
    scanRateCaption = new QLabel(QStringLiteral("Scan Rate"));
    intervalLabel = new QLabel;
    stateLabel = new QLabel;
    timeLabel = new QLabel;
    storeTimestamps = new QCheckBox(QStringLiteral("Store Timestamps"));
    storeVoltage = new QCheckBox(QStringLiteral("Store Thermocouple Voltage"));
    storeColdJunction = new QCheckBox(QStringLiteral("Store Cold Junction Temperature"));
    alarm = new PTPalarm;
    outputConfig = new acqConfig(window());
    refreshButton = new QPushButton(QStringLiteral("Refresh"));
    startButton = new QPushButton(QStringLiteral("Start"));
    stopButton = new QPushButton(QStringLiteral("Stop"));
}

void measurement_acquisition::addStorageEntries()
{
    storage->addItem(QStringLiteral("Disabled"), 0);
    storage->addItem(QStringLiteral("Local Hard Drive"), 0);
    if (m_source->hasStorage(ts4720_STORAGE_RAM)) {
        storage->addItem(QStringLiteral("RAM Disk on Korvan 4720"), 1);
        storage->addItem(QStringLiteral("RAM Disk on Korvan 4720 + Local Hard Drive"), 1);
    }
    if (m_source->hasStorage(ts4720_STORAGE_HD)) {
        storage->addItem(QStringLiteral("Hard Drive on Korvan 4720"), 2);
        storage->addItem(QStringLiteral("Hard Drive on Korvan 4720 + Local Hard Drive"), 2);
    }
}

QWidget *measurement_acquisition::buildLayout()
{
    configurationGroup = new QGroupBox(QStringLiteral("Configuration"));
    auto *config = new QGridLayout(configurationGroup);
    addRow(config, QStringLiteral("Clock Source"), clockSource);
    addRow(config, QString(), scanRate, intervalLabel, scanRateCaption);
    addRow(config, QStringLiteral("Start Mode"), startMode, alarm);
    addRow(config, QStringLiteral("Stop Mode"), stopMode);
    addRow(config, QStringLiteral("Number of Scans"), numberOfScans);
    addRow(config, QStringLiteral("Time"), time);
    optionsGroup = new QGroupBox(QStringLiteral("Options"));
    auto *options = new QGridLayout(optionsGroup);
    addRow(options, QStringLiteral("Data Storage"), storage);
    addRow(options, QString(), storeTimestamps);
    addRow(options, QString(), storeVoltage);
    addRow(options, QString(), storeColdJunction);
    addRow(options, QStringLiteral("Plot Length"), plotLength);
    auto *status = new QGroupBox(QStringLiteral("Status"));
    auto *statusGrid = new QGridLayout(status);
    addRow(statusGrid, QStringLiteral("State"), stateLabel);
    addRow(statusGrid, QStringLiteral("Current Time"), timeLabel);

    auto *content = new QWidget;
    auto *column = new QVBoxLayout(content);
    for (QGroupBox *group : {configurationGroup, optionsGroup, status}) {
        auto *centred = new QHBoxLayout;
        centred->addStretch();
        centred->addWidget(group);
        centred->addStretch();
        column->addLayout(centred);
    }
    column->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(refreshButton);
    buttons->addWidget(startButton);
    buttons->addWidget(stopButton);
    column->addLayout(buttons);
    return content;
}

void measurement_acquisition::connectControls()
{
    connect(refreshButton, &QPushButton::clicked, this, &measurement_acquisition::doRefresh);
    connect(startButton, &QPushButton::clicked, this, &measurement_acquisition::startAcquisition);
    connect(stopButton, &QPushButton::clicked, this, &measurement_acquisition::stopAcquisition);
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(clockSource, indexChanged, this, &measurement_acquisition::clockSourceSelected);
    connect(scanRate, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &measurement_acquisition::updateDuration);
    connect(startMode, indexChanged, this, &measurement_acquisition::startModeSelected);
    connect(stopMode, indexChanged, this, &measurement_acquisition::filterTimingOptions);
    connect(time, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &measurement_acquisition::updateDuration_acqTimeEditing);
    connect(time, &QDoubleSpinBox::editingFinished, this, &measurement_acquisition::updateDuration);
    connect(numberOfScans, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &measurement_acquisition::updateDuration);
    connect(alarm, &PTPalarm::setNow, this, &measurement_acquisition::setAlarmNow);
}

bool measurement_acquisition::externalClock() const
{
    const int clock = clockSource->currentData().toInt();
    return clock != 0 && clock != 1;
}

int measurement_acquisition::stopCode() const
{
    return stopMode->currentData().toInt();
}

void measurement_acquisition::updateStopModes()
{
    const int remembered = stopMode->currentData().isValid() ? stopCode() : 0;
    const int start = startMode->currentData().toInt();
    const QSignalBlocker blocker(stopMode);
    stopMode->clear();
    for (const stopModeRow &row : kStopModes) {
        const bool present = row.code == 1 ? !externalClock() : row.code >= 3 ? start == 2 || start == 3 : true;
        if (present)
            stopMode->addItem(QString::fromLatin1(row.text), row.code);
    }
    stopMode->setCurrentIndex(0);
    const int again = stopMode->findData(remembered);
    if (again >= 0)
        stopMode->setCurrentIndex(again);
}

void measurement_acquisition::filterTimingOptions()
{
    scanRateCaption->setText(externalClock() ? QStringLiteral("Maximum External Clock Rate")
                                             : QStringLiteral("Scan Rate"));
    validateScanRate(false);
    time->setEnabled(stopCode() == 1);
    numberOfScans->setEnabled(stopCode() == 0);
}

void measurement_acquisition::clockSourceSelected()
{
    updateStopModes();
    filterTimingOptions();
}

void measurement_acquisition::startModeSelected()
{
    alarm->setEnabled(startMode->currentData().toInt() == 1);
    updateStopModes();
    filterTimingOptions();
}

void measurement_acquisition::validateScanRate(bool update)
{
    const double interval = 1.0 / scanRate->value();
    const QString kind = externalClock() ? QStringLiteral("Required minimum interval") : QStringLiteral("Scan every");
    const QString text = interval < 1.0 ? QStringLiteral("<i>%1: %2 ms</i>").arg(kind, QString::number(interval * 1000, 'f', 3))
                                        : QStringLiteral("<i>%1: %2 s</i>").arg(kind, QString::number(interval, 'f', 3));
    intervalLabel->setText(text);
    if (update)
        updateAcqTime();
}

void measurement_acquisition::validateScanRate()
{
    validateScanRate(true);
}

void measurement_acquisition::updateAcqTime()
{
    const double t = numberOfScans->value() / scanRate->value();
    acquisitionTime = t;
    {
        const QSignalBlocker blocker(time);
        time->setValue(t);
    }
    const long long h = (long long)std::trunc(t / 3600);
    const long long m = (long long)std::trunc((t - 3600.0 * h) / 60);
    const long long s = (long long)std::trunc(t - 3600.0 * h - 60.0 * m);
    const long long ms = (long long)std::trunc((t - 3600.0 * h - 60.0 * m - s) * 1000);
    time->setToolTip(QStringLiteral("%1h %2m %3.%4s")
                         .arg(h, 2, 10, QLatin1Char('0'))
                         .arg(m, 2, 10, QLatin1Char('0'))
                         .arg(s, 2, 10, QLatin1Char('0'))
                         .arg(ms, 3, 10, QLatin1Char('0')));
}

void measurement_acquisition::updateNumberOfSamples()
{
    const double scans = std::max(std::ceil(scanRate->value() * acquisitionTime), 1.0);
    const QSignalBlocker blocker(numberOfScans);
    numberOfScans->setValue(int(std::min(scans, 1e9)));
}

void measurement_acquisition::updateDuration()
{
    validateScanRate(false);
    if (!time->isEnabled()) {
        updateAcqTime();
        updateNumberOfSamples();
    } else {
        acquisitionTime = time->value();
        updateNumberOfSamples();
        updateAcqTime();
    }
}

void measurement_acquisition::updateDuration_acqTimeEditing()
{
    validateScanRate(false);
    if (time->isEnabled()) {
        if (time->value() == 0.0)
            return;
        acquisitionTime = time->value();
        updateNumberOfSamples();
        updateAcqTime();
    } else {
        updateAcqTime();
        updateNumberOfSamples();
    }
}

void measurement_acquisition::setAlarmNow()
{
    const driverAction action;
    alarm->setTime(m_source->currentTime());
}

void measurement_acquisition::doRefresh()
{
    const driverAction action;
    const waitCursor wait;
    acquisitionSettings s;
    s.stopIndex = 0;
    m_source->read(s, rememberedAlarm());
    showSettings(s);
}

void measurement_acquisition::showSettings(const acquisitionSettings &s)
{
    {
        const QSignalBlocker rateBlocker(scanRate), scansBlocker(numberOfScans);
        clockSource->setCurrentIndex(qBound(0, s.clockSource, 3));
        scanRate->setValue(s.scanRate);
        numberOfScans->setValue(s.numberOfScans);
    }
    startMode->setCurrentIndex(qBound(0, s.startMode, 3));
    if (rememberedAlarm() != 0)
        alarm->setTime(rememberedAlarm());
    else
        setAlarmNow();
    storeTimestamps->setChecked(s.storeTimestamps);
    storeVoltage->setChecked(s.storeVoltage);
    storeColdJunction->setChecked(s.storeColdJunction);
    validateScanRate(true);
    updateStopModes();
    filterTimingOptions();
    updateStopModes();
    if (s.stopIndex >= 0 && s.stopIndex < stopMode->count())
        stopMode->setCurrentIndex(s.stopIndex);
    else if (s.stopData >= 0 && stopMode->findData(s.stopData) >= 0)
        stopMode->setCurrentIndex(stopMode->findData(s.stopData));
    alarm->setEnabled(startMode->currentData().toInt() == 1);
    updateStopModes();
    filterTimingOptions();
    validateScanRate(false);
    if (!time->isEnabled())
        updateAcqTime();
    else
        acquisitionTime = time->value();
    updateNumberOfSamples();
    if (time->isEnabled())
        updateAcqTime();
}

void measurement_acquisition::doStateRefresh()
{
    if (!m_context.poller)
        return;
    const pollingSnapshot poll = m_context.poller->snapshot();
    if (m_context.demo) {
        stateLabel->setText(startButton->isEnabled() ? QStringLiteral("<b>IDLE</b>") : QStringLiteral("<b>RUNNING</b>"));
    } else if (poll.acquisitionState == 0) {
        stateLabel->setText(QStringLiteral("<b>IDLE</b>"));
    } else if (poll.acquisitionState == 1) {
        stateLabel->setText(startMode->currentIndex() == 1
                                ? QStringLiteral("<b>ARM</b>&nbsp; &nbsp; <i>Time to PTP Alarm: %1 s</i>")
                                      .arg(qint64(poll.ptpTime) - qint64(alarm->alarmTime()))
                                : QStringLiteral("<b>ARM</b>"));
    } else if (poll.acquisitionState == 2) {
        stateLabel->setText(QStringLiteral("<b>RUNNING</b>"));
    } else {
        stateLabel->setText(QStringLiteral("<b>-</b>"));
    }
    const QString when = QLocale::c().toString(QDateTime::fromSecsSinceEpoch(poll.ptpTime, Qt::UTC),
                                               QStringLiteral("dd MMM yyyy HH:mm:ss "));
    timeLabel->setText(poll.ptpTime != 0 ? QStringLiteral("<b>%1 UTC</b>").arg(when) : QStringLiteral("<b>-</b>"));
}
