// One invocation of ts4720-record.
#include "recorder.h"

#include "dataFileNumbers.h"
#include "exitStatus.h"
#include "instrumentFinder.h"
#include "optionValues.h"
#include "outputChecks.h"
#include "progressLine.h"
#include "recordingRun.h"
#include "ts4720_ext.h"
#include "visa.h"

#include <QDateTime>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

std::string utcText(long long seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate).toStdString();
}

// What an armed run waits for, for the progress line.
std::string waitingText(const recorderOptions &o)
{
    if (o.start == 1)
        return "the PTP alarm at " + utcText(o.alarmSeconds);
    if (o.start >= 2)
        return "a pulse on rear-panel line " + std::to_string(o.start - 1);
    return std::string();
}

} // namespace

recorder::recorder(const recorderOptions &options, bool terminal)
    : m_options(options), m_terminal(terminal)
{
}

recorder::~recorder()
{
    if (m_vi != 0)
        ts4720_close(m_vi);
}

void recorder::say(const std::string &text)
{
    std::fputs(("ts4720-record: " + text + "\n").c_str(), stderr);
}

int recorder::exitWith(int status, const std::string &message)
{
    say(message);
    return status;
}

std::string recorder::driverText(ViStatus status) const
{
    ViChar text[TS4720_ERROR_MESSAGE_SIZE] = {};
    ts4720_error_message(m_vi, status, text);
    return text;
}

// A set-up call that failed, as the panel reports it.
std::string recorder::refusal(const setupError &error) const
{
    return error.call + " failed due to [" + driverText(error.status) + "]";
}

std::string recorder::lastScanText() const
{
    const recordingFileState s = m_file.state();
    std::string text = std::to_string(s.scans) + " scans written to '" + m_file.path() + "' ("
                       + sizeText(s.bytes) + ")";
    if (s.scans > 0 && m_options.timestamps) {
        char ns[16];
        const std::string nanoseconds(ns, formatInt(ns, s.lastNanoseconds, 9));
        text += ", the last at PTP time " + std::to_string(s.lastSeconds) + "." + nanoseconds + " ("
                + utcText(s.lastSeconds) + ")";
    }
    return text;
}

// The scans the driver could not deliver, as a sentence after ". ", or "".
std::string recorder::lossText() const
{
    ts4720_acquisitionLoss loss;
    ViChar text[TS4720_LOSS_TEXT_SIZE] = {};
    if (ts4720_getAcquisitionLoss(m_vi, &loss) != VI_SUCCESS || loss.cause == VI_SUCCESS)
        return std::string();
    ts4720_acquisitionLossText(&loss, text);
    return std::string(". ") + text;
}

int recorder::run()
{
    std::string why;
    if (!checkOutputPath(m_options.output, m_options.force, &why))
        return exitWith(exitOutputRefused, why);
    if (const int status = connect())
        return status;
    instrumentFacts facts;
    setupError error;
    if (!readInstrumentFacts(m_vi, &facts, &error))
        return exitWith(exitSetupFailed, refusal(error));
    runPlan plan;
    dataFileSettings settings;
    dataFileColumns columns;
    if (const int status = this->plan(facts, &plan))
        return status;
    if (const int status = prepareFile(plan, facts, &settings, &columns))
        return status;
    if (m_stopRequested)
        return exitWith(exitSuccess, "stopped before the recording started");
    if (!programInstrument(m_vi, plan, facts, &error))
        return exitWith(exitSetupFailed, refusal(error));
    ts4720_setReconnectGracePeriod(m_vi, ViUInt32(m_options.reconnectSeconds)); // checked range: cannot fail
    if (!m_file.create(m_options.output, m_options.force, settings, columns, &why))
        return exitWith(exitOutputRefused, why);
    runLayout layout;
    layout.channels = int(plan.channels.size());
    layout.valuesPerChannel = columns.valuesPerChannel();
    layout.timestamps = m_options.timestamps;
    layout.threshold = recordingRun::thresholdFor(plan.rate);
    return record(plan, layout);
}

int recorder::connect()
{
    m_resource = m_options.resource;
    if (m_resource.empty()) {
        const discoveryResult found = findInstruments();
        if (found.instruments.empty())
            return exitWith(exitNoInstrument, "no Korvan 4720 answered among the " + std::to_string(found.resources)
                                              + " configured VISA resources; give RESOURCE");
        if (found.instruments.size() > 1) {
            std::fputs(instrumentListText(found.instruments).c_str(), stderr);
            return exitWith(exitNoInstrument, "found " + std::to_string(found.instruments.size())
                                              + " instruments (listed above); give RESOURCE");
        }
        m_resource = found.instruments.front().descriptor;
    }
    const ViStatus status = ts4720_init(m_resource.c_str(), VI_TRUE, VI_FALSE, &m_vi);
    if (status < VI_SUCCESS) {
        m_vi = 0;
        return exitWith(exitNoInstrument, "cannot open '" + m_resource + "': " + driverText(status));
    }
    return exitSuccess;
}

int recorder::plan(const instrumentFacts &facts, runPlan *plan)
{
    const recorderOptions &o = m_options;
    plan->options = o;
    plan->channels = o.channelsGiven ? o.channels : facts.enabledChannels;
    if (plan->channels.empty())
        return exitWith(exitUsage, "no channel is enabled on the instrument: choose some with --channels");
    if (plan->channels.back() > facts.channelCount)
        return exitWith(exitUsage, "--channels: channel " + std::to_string(plan->channels.back()) + " is beyond the "
                                   + std::to_string(facts.channelCount) + " channels of this Korvan 4720-" + facts.subType);
    plan->rate = o.rateGiven ? double(o.rate) : facts.rate;
    plan->scans = fixedScanCount(o, plan->rate);
    if (plan->scans > 1000000000)
        return exitWith(exitUsage, "--duration: more than 1000000000 scans at this rate");
    if (o.start == 1 && o.alarmSeconds <= (long long)facts.ptpSeconds)
        return exitWith(exitUsage, "the PTP start " + utcText(o.alarmSeconds) + " is not in the future (the instrument's PTP time is "
                                   + utcText(facts.ptpSeconds) + ")");
    return exitSuccess;
}

int recorder::prepareFile(const runPlan &plan, const instrumentFacts &facts, dataFileSettings *settings,
                          dataFileColumns *columns)
{
    setupError error;
    if (!readColumns(m_vi, plan, columns, &error))
        return exitWith(exitSetupFailed, refusal(error));
    *settings = headerSettings(plan, facts);
    std::string why;
    const long long header = (long long)formatDataFileHeader(*settings, *columns).size();
    if (plan.scans > 0 && !checkFreeSpace(m_options.output, header + plan.scans * rowBytesAtMost(*columns), &why))
        return exitWith(exitOutputRefused, why);
    return exitSuccess;
}

void recorder::attach(recordingRun *run)
{
    std::lock_guard<std::mutex> guard(m_runMutex);
    m_run = run;
    if (run && m_stopRequested)
        run->requestStop();
}

void recorder::requestStop()
{
    m_stopRequested = true;
    std::lock_guard<std::mutex> guard(m_runMutex);
    if (m_run)
        m_run->requestStop();
}

void recorder::abortNow()
{
    m_file.close();
    const std::string lineEnd = m_terminal ? "\n" : "";
    if (m_file.path().empty())
        std::fputs((lineEnd + "ts4720-record: stopped at once, before the recording started\n").c_str(), stderr);
    else
        std::fputs((lineEnd + "ts4720-record: stopped at once: " + lastScanText()
                    + "; scans still waiting on the instrument were not fetched\n").c_str(), stderr);
    std::_Exit(exitInterrupted);
}

int recorder::record(const runPlan &plan, const runLayout &layout)
{
    recordingRun run(m_vi, layout, m_file);
    if (const int status = startRun(run, plan)) {
        m_file.discard();
        return status;
    }
    attach(&run);
    say("recording channels " + channelListText(plan.channels) + " of " + m_resource + " at "
        + QString::number(plan.rate).toStdString() + " Hz into '" + m_options.output + "'; Ctrl-C stops");
    watch(run, plan);
    if (run.stopRequested() && !run.ended())
        say("stopping: fetching the scans the instrument still holds (Ctrl-C again stops at once)");
    run.finish();
    attach(nullptr);
    m_file.close();
    return report(run);
}

int recorder::startRun(recordingRun &run, const runPlan &plan)
{
    if (plan.options.start == 1) {
        const ViStatus alarm = ts4720_setPTPAlarm(m_vi, ViUInt32(plan.options.alarmSeconds), 0);
        if (alarm != VI_SUCCESS)
            return exitWith(exitSetupFailed, "Unable to start the acquisition, cannot set PTP Alarm in the past. ["
                                             + driverText(alarm) + "]");
    }
    const ViStatus status = run.start();
    if (status < VI_SUCCESS)
        return exitWith(exitSetupFailed, "ts4720_startAcquisitionEx(vi, threshold, callback, &params) failed due to ["
                                         + driverText(status) + "]");
    return exitSuccess;
}

// Waits for the end or a stop request, showing progress meanwhile.
void recorder::watch(recordingRun &run, const runPlan &plan)
{
    const bool refreshed = m_terminal && !m_options.quiet;
    progressLine progress(m_terminal, m_options.quiet, plan.scans, plan.options.clock <= 1 ? plan.rate : 0.0,
                          waitingText(plan.options));
    const auto start = std::chrono::steady_clock::now();
    for (bool done = false; !done;) {
        done = run.wait(refreshed ? 250 : 1000);
        const recordingFileState state = m_file.state();
        progressSample sample;
        sample.elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        sample.scans = state.scans;
        sample.bytes = state.bytes;
        sample.backlog = run.backlog();
        ViBoolean reconnecting = VI_FALSE;
        ViInt32 left = 0;
        if (ts4720_getReconnectState(m_vi, &reconnecting, &left) == VI_SUCCESS && reconnecting)
            sample.reconnectSeconds = left;
        std::fputs(progress.update(sample).c_str(), stderr);
    }
    std::fputs(progress.finish().c_str(), stderr);
}

int recorder::report(const recordingRun &run)
{
    const recordingFileState state = m_file.state();
    if (run.failure() == runFailure::write || state.failed)
        return exitWith(exitWriteFailed, "writing '" + m_options.output + "' failed: " + state.error + "; "
                                         + lastScanText());
    if (run.failure() == runFailure::driver) {
        const ViStatus status = run.failureStatus();
        const std::string lost = lossText();
        if (status == VI_ERROR_TMO)
            return exitWith(exitConnectionLost, m_resource + " stopped answering [" + driverText(status) + "]; "
                                                + lastScanText() + lost);
        if (ts4720_isConnectionFailure(status))
            return exitWith(exitConnectionLost, "the connection to " + m_resource + " was lost ["
                                                + driverText(status) + "]; " + lastScanText() + lost);
        return exitWith(exitInstrumentError, "the instrument ended the run [" + driverText(status) + "]; "
                                             + lastScanText() + lost);
    }
    return exitWith(exitSuccess, (run.stopRequested() ? "stopped: " : "done: ") + lastScanText());
}
