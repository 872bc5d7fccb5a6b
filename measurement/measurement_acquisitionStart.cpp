// Start and Stop of a recorded acquisition, and what the page hears of a run.
#include "measurement_acquisition.h"

#include "PTPalarm.h"
#include "acqConfig.h"
#include "acquisitionRun.h"
#include "dataFileSpace.h"
#include "demoStore.h"
#include "driverCall.h"
#include "messageBoxes.h"
#include "pollingThread.h"
#include "trace.h"
#include "waitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>

namespace {
const QString kTitle = QStringLiteral("Korvan 4720 SFP");
// The windows of one run stay below 1 GiB: a plot length near the box's limit would
// otherwise be granted by the system and fail only when the pages are touched.
const long long kWindowBytes = 1LL << 30;
} // namespace

bool measurement_acquisition::checkStart(int threshold)
{
    const int clock = clockSource->currentData().toInt();
    if ((clock == 2 || clock == 3) && startMode->currentIndex() == clockSource->currentIndex()) {
        messageBoxes::critical(this, kTitle, QStringLiteral("Start trigger and clock source cannot use the same Rear Panel line."));
        return false;
    }
    const long long longest = kWindowBytes / 8 / (m_context.channelCount + 1);
    plotLength->setValue(roundedPlotLength(int(std::min<long long>(plotLength->value(), longest)), threshold));
    if (!run->allocateBuffers(m_context.channelCount, plotLength->value(), threshold)) {
        trace("%s: Memory allocation failed.\n", "measurement_acquisition::startAcquisition");
        messageBoxes::critical(this, kTitle, QStringLiteral("Memory allocation failed."));
        return false;
    }
    return true;
}

void measurement_acquisition::startAcquisition()
{
    if (run->running())
        return;
    const int threshold = callbackThreshold(scanRate->value());
    if (!checkStart(threshold))
        return;
    const bool fileWanted = storage->currentIndex() % 2 == 1;
    if (fileWanted) {
        if (!askOutputFile(outputConfig))
            return;
        if (m_context.demo) {
            messageBoxes::information(this, kTitle, QStringLiteral("Option not available when working in the demo mode."));
            return;
        }
    }
    std::vector<int> channels;
    if (m_context.demo) {
        demoStore::AcquisitionSettings d;
        d.clockSource = clockSource->currentIndex();
        d.scanRate = scanRate->value();
        d.scansNumber = numberOfScans->value();
        d.startMode = startMode->currentIndex();
        d.stopMode = stopMode->currentIndex();
        d.storeTimestamps = storeTimestamps->isChecked();
        d.storeVoltage = storeVoltage->isChecked();
        d.storeColdJunction = storeColdJunction->isChecked();
        demoStore::setAcquisitionSettings(d, startMode->currentIndex() != 0 ? 1 : 2);
        emit channelsChosen(chooseChannels(channels));
        runPlan plan;
        plan.demo = true;
        plan.threshold = threshold;
        plan.numberOfScans = stopCode() == 2 ? 0 : numberOfScans->value();
        plan.scanRate = externalClock() ? -1.0 : scanRate->value();
        plan.timestamps = storeTimestamps->isChecked();
        plan.voltage = storeVoltage->isChecked();
        plan.coldJunction = storeColdJunction->isChecked();
        plan.channels = channels;
        const pollingSnapshot poll = m_context.poller ? m_context.poller->snapshot() : pollingSnapshot();
        std::copy(poll.values, poll.values + TS4720_MAX_CHANNELS, plan.seeds);
        run->begin(plan, plotLength->value());
    } else {
        const driverAction action;
        const waitCursor wait;
        programInstrument(channels, threshold, fileWanted);
        if (!run->running())
            return;
    }
    emit runStarted(storeTimestamps->isChecked() ? QStringLiteral("Seconds (PTP timestamps)")
                    : externalClock()            ? QStringLiteral("Scans")
                                                 : QStringLiteral("Seconds"));
    startButton->setEnabled(false);
    if (m_context.demo)
        acquisitionRun::callback(0, threshold, 0, run);
}

// Which channels deliver data, as numbers from 1, and by index for the plots' labels.
QVector<bool> measurement_acquisition::chooseChannels(std::vector<int> &numbers)
{
    QVector<bool> enabled(m_context.channelCount, false);
    for (int i = 0; i < m_context.channelCount; ++i) {
        bool on = false;
        if (m_context.demo) {
            on = demoStore::channelEnabled(i + 1);
        } else {
            ViBoolean en = VI_FALSE;
            on = reportedCall(m_context.vi, [&] { return ts4720_getChannelState(m_context.vi, ViInt16(i + 1), &en); },
                              "ts4720_getChannelState(vi, i+1, &en)") >= 0 && en;
        }
        enabled[i] = on;
        if (on)
            numbers.push_back(i + 1);
    }
    return enabled;
}

void measurement_acquisition::programInstrument(std::vector<int> &channels, int threshold, bool fileWanted)
{
    const ViSession vi = m_context.vi;
    const int code = stopCode();
    const ViInt16 stop = code == 3 ? 1 : code == 4 ? 2 : 0;
    reportedCall(vi, [&] {
        return ts4720_setAcquisitionMode(vi, ViInt16(clockSource->currentIndex()), scanRate->value(),
                                         code == 2 ? 0 : numberOfScans->value(), ViInt16(startMode->currentIndex()),
                                         stop, storeTimestamps->isChecked());
    }, "ts4720_setAcquisitionMode(vi, clockSource->currentIndex(), scanRate->value(), stopMode->itemData(stopMode->currentIndex()).toInt() == 2 ? 0 : numberOfScans->value(), startMode->currentIndex(), stop, storeTimestamps->isChecked())");
    reportedCall(vi, [&] { return ts4720_setAttribute(vi, ts4720_ATTR_SHADOW_COPY, storage->currentData().toInt()); },
                 "ts4720_setAttribute(vi, ts4720_ATTR_SHADOW_COPY, storage->itemData(storage->currentIndex()).toInt())");
    emit channelsChosen(chooseChannels(channels));
    runPlan plan;
    plan.vi = vi;
    plan.threshold = threshold;
    plan.numberOfScans = numberOfScans->value();
    plan.scanRate = externalClock() ? -1.0 : scanRate->value();
    plan.timestamps = storeTimestamps->isChecked();
    plan.voltage = storeVoltage->isChecked();
    plan.coldJunction = storeColdJunction->isChecked();
    plan.channels = channels;
    if (fileWanted && !openLocalFile(plan))
        return;
    const ViInt32 format = 1 + (plan.voltage ? 2 : 0) + (plan.coldJunction ? 4 : 0);
    reportedCall(vi, [&] { return ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, format); },
                 "ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, value)");
    run->begin(plan, plotLength->value());
    if (startMode->currentIndex() == 1 && ts4720_setPTPAlarm(vi, alarm->alarmTime(), VI_NULL) != VI_SUCCESS) {
        messageBoxes::critical(this, kTitle, QStringLiteral("Unable to start the acquisition, cannot set PTP Alarm in the past."));
        run->finish();
        return;
    }
    m_instrumentRunStarted = true;
    // A start the instrument refused leaves no run behind: no file held open, Start usable.
    if (reportedCall(vi, [&] { return ts4720_startAcquisitionEx(vi, threshold, acquisitionRun::callback, run); },
                     "ts4720_startAcquisitionEx(vi, threshold, callback, &params)") < 0)
        run->finish();
}

// The header names each channel's type; the file must fit on its disk when the run has a length.
bool measurement_acquisition::openLocalFile(const runPlan &plan)
{
    dataFileColumns columns;
    columns.timestamps = plan.timestamps;
    columns.voltage = plan.voltage;
    columns.coldJunction = plan.coldJunction;
    for (int number : plan.channels) {
        ViChar type[TS4720_TYPE_NAME_SIZE] = {};
        ViBoolean otd = VI_FALSE;
        reportedCall(m_context.vi, [&] { return ts4720_getChannelConfig(m_context.vi, ViInt16(number), type, &otd); },
                     "ts4720_getChannelConfig(vi, enabledChannels.at(i), thermType, &otd)");
        type[sizeof type - 1] = '\0';
        columns.channels.push_back({number, type, otd != VI_FALSE});
    }
    const QString path = outputConfig->filePath();
    if (!checkFreeSpace(path, columns))
        return false;
    QString why;
    if (!run->openFile(path, fileSettings(), columns, &why)) {
        trace("%s: Cannot create file.\n", "measurement_acquisition::startAcquisition");
        messageBoxes::critical(this, kTitle, QStringLiteral("Cannot create file.\n%1").arg(why));
        return false;
    }
    return true;
}

bool measurement_acquisition::checkFreeSpace(const QString &path, const dataFileColumns &columns)
{
    const int code = stopCode();
    if (code != 0 && code != 1) // until stopped: the size is not known
        return true;
    const long long needed = (long long)numberOfScans->value() * rowBytesAtMost(columns) + 4096;
    const long long free = freeBytesOn(path.toStdString());
    if (free < 0 || needed <= free)
        return true;
    const QString text = QStringLiteral("The file '%1' will need up to %2 MB, but its disk has only %3 MB free.\n"
                                        "Start anyway?")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(QString::number(needed / 1048576.0, 'f', 1), QString::number(free / 1048576.0, 'f', 1));
    return messageBoxes::question(this, kTitle, text) == QMessageBox::Yes;
}

dataFileSettings measurement_acquisition::fileSettings() const
{
    dataFileSettings s;
    s.subType = m_subType.toStdString();
    s.serialNumber = m_serial.toStdString();
    s.clockSource = clockSource->currentText().toStdString();
    s.scanRateWritten = scanRate->isEnabled();
    s.scanRate = scanRate->value();
    s.startMode = startMode->currentText().toStdString();
    s.alarmWritten = alarm->isEnabled();
    s.alarmDay = alarm->day->value();
    s.alarmMonth = alarm->month->value();
    s.alarmYear = alarm->year->value();
    s.alarmHour = alarm->hour->value();
    s.alarmMinute = alarm->minute->value();
    s.alarmSecond = alarm->second->value();
    s.alarmSeconds = alarm->alarmTime();
    s.stopMode = stopMode->currentText().toStdString();
    s.numberOfScansWritten = numberOfScans->isEnabled() || time->isEnabled();
    s.numberOfScans = numberOfScans->value();
    s.acquisitionTimeWritten = s.numberOfScansWritten && !externalClock();
    s.acquisitionTime = time->value();
    return s;
}

void measurement_acquisition::stopAcquisition()
{
    const driverAction action;
    const waitCursor wait;
    if (m_context.demo)
        demoStore::setAcquisitionState(0);
    else
        reportedCall(m_context.vi, [this] { return ts4720_stopAcquisition(m_context.vi); }, "ts4720_stopAcquisition(vi)");
    // The driver's thread has ended: read what the instrument still holds, close the file.
    run->finish();
    setAcquisitionIdle(m_idle, QString());
}

void measurement_acquisition::pumpDemo()
{
    if (!m_context.demo || m_context.viewer)
        return;
    const pollingSnapshot poll = m_context.poller ? m_context.poller->snapshot() : pollingSnapshot();
    if (run->pumpDemo(poll.values))
        stopAcquisition();
}

void measurement_acquisition::runEnded(const QString &problem)
{
    const QString path = run->filePath();
    const bool hadFile = run->fileUsed();
    const long long rows = run->rowsWritten();
    if (!run->running())
        run->finish(); // forgets the file's before-exit work; nothing is left to read
    setAcquisitionIdle(m_idle, QString());
    emit dataChanged();
    if (problem.isEmpty())
        return;
    QString text = QStringLiteral("The acquisition ended: %1").arg(problem);
    if (hadFile)
        text += QStringLiteral("\nThe file '%1' holds the %2 scans received and is closed.")
                    .arg(QDir::toNativeSeparators(path)).arg(rows);
    messageBoxes::warning(this, kTitle, text);
}

void measurement_acquisition::fileFailed(const QString &path, const QString &why)
{
    QString text = QStringLiteral("The file '%1' stopped growing: %2.\nIt keeps every row written before; the acquisition goes on")
                       .arg(QDir::toNativeSeparators(path), why);
    text += storage->currentData().toInt() != 0 ? QStringLiteral(" and the instrument keeps its own copy.") : QStringLiteral(".");
    messageBoxes::warning(this, kTitle, text);
}

void measurement_acquisition::setAcquisitionIdle(bool idle, const QString &whyLocked)
{
    m_idle = idle;
    if (m_context.viewer)
        return;
    startButton->setEnabled(idle && !run->running());
    configurationGroup->setEnabled(idle);
    optionsGroup->setEnabled(idle);
    stopButton->setEnabled(!idle || run->running());
    for (QWidget *w : std::initializer_list<QWidget *>{startButton, configurationGroup, optionsGroup})
        w->setToolTip(idle ? QString() : whyLocked);
}

void measurement_acquisition::applyViewerRestrictions()
{
    for (QWidget *w : std::initializer_list<QWidget *>{startButton, stopButton, refreshButton, configurationGroup, optionsGroup})
        w->setEnabled(false);
}

void measurement_acquisition::TEMPforceRead()
{
    trace("TEMP FORCE READ\n");
    ViReal64 data[TS4720_MAX_CHANNELS * 3] = {};
    ViInt32 stamp[2] = {}, backlogInBuffer = 0, scansRead = 0;
    ts4720_readAcquisition(m_context.vi, 1, 0, &backlogInBuffer, &scansRead, data, stamp);
    trace(" - backlogInBuffer=%d, scansRead=%d\n", int(backlogInBuffer), int(scansRead));
}
