// The data path of one acquisition.
#include "acquisitionRun.h"

#include "acquisitionWindows.h"
#include "commonReports.h"
#include "trace.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <new>

int callbackThreshold(double scanRate)
{
    return std::max(int(std::trunc(scanRate * 0.25)), 1);
}

int roundedPlotLength(int plotLength, int threshold)
{
    return std::max(plotLength / threshold * threshold, threshold);
}

acquisitionRun::acquisitionRun(QObject *parent)
    : QObject(parent)
{
}

acquisitionRun::~acquisitionRun()
{
    closeFile();
}

bool acquisitionRun::allocateBuffers(int channelSlots, int scansOnPlot, int threshold)
{
    trace("Alloc memory: plots=%d, scansOnPlot=%d, callbackThreshold=%d, dataLength=%d\n", channelSlots,
          scansOnPlot, threshold, std::max(scansOnPlot, threshold));
    m_data.reset();
    m_stamps.reset();
    m_capacity = 0;
    m_fileUsed = false;
    if (!plotWindows().allocate(channelSlots, scansOnPlot, threshold))
        return false;
    m_data.reset(new (std::nothrow) double[size_t(channelSlots) * size_t(threshold) * 3]());
    m_stamps.reset(new (std::nothrow) ViInt32[size_t(threshold) * 2]());
    if (!m_data || !m_stamps)
        return false;
    m_capacity = threshold;
    return true;
}

void acquisitionRun::freeBuffers()
{
    trace("Free memory\n");
    plotWindows().free();
    m_data.reset();
    m_stamps.reset();
    m_capacity = 0;
}

bool acquisitionRun::openFile(const QString &path, const dataFileSettings &settings,
                              const dataFileColumns &columns, QString *error)
{
    std::string why;
    if (!m_file.create(path.toStdString(), true, settings, columns, &why)) {
        *error = QString::fromStdString(why);
        return false;
    }
    m_fileOpen = true;
    m_fileUsed = true;
    m_fileFailTold = false;
    m_beforeExit = addBeforeExit([this] { closeFile(); });
    return true;
}

void acquisitionRun::closeFile()
{
    // Waits for a block being written; every row received is then on disk.
    m_file.close();
    m_fileOpen = false;
    if (m_beforeExit >= 0)
        removeBeforeExit(m_beforeExit);
    m_beforeExit = -1;
}

void acquisitionRun::begin(const runPlan &plan, int plotLength)
{
    m_plan = plan;
    m_vpc = 1 + (plan.voltage ? 1 : 0) + (plan.coldJunction ? 1 : 0);
    m_random.seed(12345u);
    const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
    plotWindows().plotLength = plotLength;
    plotWindows().firstTimestamp = 0;
    plotWindows().running = true;
}

bool acquisitionRun::running() const
{
    const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
    return plotWindows().running;
}

void acquisitionRun::callback(ViSession vi, ViInt32 backlog, ViInt16 da_end, ViAddr params)
{
    static_cast<acquisitionRun *>(params)->onCallback(vi, backlog, da_end != 0);
}

void acquisitionRun::onCallback(ViSession vi, ViInt32 backlog, bool dataEnd)
{
    int want = std::min<int>(backlog, m_plan.threshold);
    ViStatus failure = VI_SUCCESS;
    for (int block = 0;; ++block) {
        // At the end a backlog of 0 may still hide the reason the driver ended the run.
        if (want <= 0 && dataEnd)
            want = m_plan.threshold;
        ViInt32 remaining = 0, scansRead = 0;
        const ViStatus status = want > 0 ? readBlock(vi, want, &remaining, &scansRead) : VI_SUCCESS;
        const int plotDataPtr = storeBlock(scansRead, remaining);
        trace("CALLBACK_%d > nCh=%d, backlog=%d, scansRead=%d, da_end=%d, plotDataPtr=%d\n", block,
              int(m_plan.channels.size()), int(backlog), int(scansRead), int(dataEnd), plotDataPtr);
        writeRows(scansRead);
        if (!dataEnd)
            return;
        if (status < 0)
            failure = status;
        if (status < 0 || remaining <= 0 || scansRead <= 0)
            break;
        want = std::min<int>(remaining, m_plan.threshold);
    }
    QString problem;
    if (failure < 0) {
        ViChar text[TS4720_ERROR_MESSAGE_SIZE] = {};
        ts4720_error_message(vi, failure, text);
        problem = QString::fromLatin1(text);
    }
    {
        const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
        plotWindows().running = false;
    }
    if (m_fileOpen) {
        trace("da_end - close the file\n");
        m_file.close(); // the GUI thread forgets the before-exit work when it hears of the end
        m_fileOpen = false;
    }
    emit ended(problem);
}

ViStatus acquisitionRun::readBlock(ViSession vi, int scans, ViInt32 *remaining, ViInt32 *scansRead)
{
    scans = std::min(scans, m_capacity);
    if (m_plan.demo) {
        generateDemo(scans);
        *scansRead = scans;
        *remaining = 0;
        return VI_SUCCESS;
    }
    const ViStatus status = ts4720_readAcquisition(vi, scans, 0, remaining, scansRead, m_data.get(), m_stamps.get());
    // The driver never delivers more than asked; a count outside that is not trusted.
    if (*scansRead < 0 || *scansRead > scans)
        *scansRead = 0;
    return status;
}

// A random walk from each channel's seed; timestamps follow the scan rate.
void acquisitionRun::generateDemo(int scans)
{
    const int vpc = m_vpc;
    for (size_t k = 0; k < m_plan.channels.size(); ++k) {
        double value = m_plan.seeds[m_plan.channels[k] - 1];
        for (int s = 0; s < scans; ++s) {
            if (s > 0)
                value += double(int(m_random() % 100) - 50) / 500.0;
            m_data[(size_t(scans) * k + size_t(s)) * size_t(vpc)] = value;
        }
    }
    if (!m_plan.timestamps)
        return;
    int done;
    {
        const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
        done = plotWindows().plotDataPtr + plotWindows().plotOffset;
    }
    const double rate = m_plan.scanRate > 0 ? m_plan.scanRate : 10.0;
    for (int s = 0; s < scans; ++s) {
        const double t = (done + s) / rate;
        m_stamps[2 * s] = ViInt32(std::trunc(t));
        m_stamps[2 * s + 1] = ViInt32(std::trunc((t - std::trunc(t)) * 1e9));
    }
}

void acquisitionRun::writeRows(int scans)
{
    if (scans <= 0 || !m_fileOpen)
        return;
    if (m_file.writeBlock(m_data.get(), m_plan.timestamps ? m_stamps.get() : nullptr, scans))
        return;
    // A failed write closed the file at its last whole row; the run goes on without it.
    m_fileOpen = false;
    const recordingFileState state = m_file.state();
    if (state.failed && !m_fileFailTold.exchange(true))
        emit fileFailed(filePath(), QString::fromStdString(state.error));
}

// The seconds of scan i of the block, from its timestamp.
double acquisitionRun::stampOf(int scan) const
{
    return double(ViUInt32(m_stamps[2 * scan])) + m_stamps[2 * scan + 1] / 1e9;
}

// x of scan i of the block, the absolute-th scan of the run.
double acquisitionRun::timeOf(int scan, long long absolute) const
{
    if (m_plan.timestamps)
        return stampOf(scan) - plotWindows().firstTimestamp;
    return m_plan.scanRate > 0 ? double(absolute) / m_plan.scanRate : double(absolute);
}

// Into the windows, every scan in order: the first pass fills them from the left; once
// full they scroll, the newest scan at the right end. A block that crosses the end is split.
int acquisitionRun::storeBlock(int scans, int remaining)
{
    const auto asked = std::chrono::steady_clock::now();
    const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
    const long long waited = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now() - asked).count();
    if (waited > m_worstLockWaitNs.load())
        m_worstLockWaitNs = waited;
    acquisitionWindows &w = plotWindows();
    w.backlog = remaining;
    const int length = w.plotLength;
    if (scans <= 0 || length <= 0 || w.dataLength() < length || !w.timeWindow())
        return w.plotDataPtr;
    double *time = w.timeWindow();
    if (w.plotDataPtr + w.plotOffset == 0) {
        if (m_plan.timestamps)
            w.firstTimestamp = stampOf(0);
        else
            for (int p = 0; p < length; ++p)
                time[p] = m_plan.scanRate > 0 ? p / m_plan.scanRate : p;
    }
    for (int done = 0; done < scans;) {
        int count, position;
        if (w.plotOffset == 0) {
            position = w.plotDataPtr;
            count = std::min(scans - done, length - position);
        } else {
            count = std::min(scans - done, length);
            const int kept = length - count;
            for (size_t k = 0; k < m_plan.channels.size(); ++k)
                if (double *window = w.window(int(k)))
                    std::memmove(window, window + count, size_t(kept) * sizeof(double));
            std::memmove(time, time + count, size_t(kept) * sizeof(double));
            position = kept;
        }
        placeSegment(done, count, position, scans);
        const long long total = (long long)w.plotDataPtr + w.plotOffset + count;
        w.plotDataPtr = int(total % length);
        w.plotOffset = int(total - w.plotDataPtr);
        done += count;
    }
    // With timestamps the unused tail holds the newest time, so the axis ends at the data.
    if (m_plan.timestamps && w.plotOffset == 0)
        std::fill(time + w.plotDataPtr, time + length, time[w.plotDataPtr - 1]);
    return w.plotDataPtr;
}

void acquisitionRun::placeSegment(int from, int count, int position, int scans)
{
    acquisitionWindows &w = plotWindows();
    for (size_t k = 0; k < m_plan.channels.size(); ++k) {
        double *window = w.window(int(k));
        if (!window)
            continue;
        const double *values = m_data.get() + (size_t(scans) * k + size_t(from)) * size_t(m_vpc);
        for (int i = 0; i < count; ++i)
            window[position + i] = values[size_t(i) * size_t(m_vpc)];
    }
    const long long first = (long long)w.plotDataPtr + w.plotOffset;
    for (int i = 0; i < count; ++i)
        w.timeWindow()[position + i] = timeOf(from + i, first + i);
}

void acquisitionRun::finish()
{
    for (int guard = 0; guard < 100000 && running() && !m_plan.demo && m_capacity > 0; ++guard) {
        ViInt32 remaining = 0, scansRead = 0;
        const ViStatus status = readBlock(m_plan.vi, m_plan.threshold, &remaining, &scansRead);
        storeBlock(scansRead, remaining);
        writeRows(scansRead);
        if (status < 0 || scansRead <= 0 || remaining <= 0)
            break;
    }
    {
        const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
        plotWindows().running = false;
    }
    closeFile();
}

bool acquisitionRun::pumpDemo(const double current[TS4720_MAX_CHANNELS])
{
    int done;
    {
        const std::lock_guard<std::mutex> locker(acquisitionDataLock()); // guards plotWindows()
        if (!plotWindows().running)
            return false;
        done = plotWindows().plotDataPtr + plotWindows().plotOffset;
    }
    for (int channel : m_plan.channels)
        m_plan.seeds[channel - 1] = current[channel - 1];
    const int total = m_plan.numberOfScans;
    if (total != 0 && done + m_plan.threshold >= total) {
        callback(m_plan.vi, total - done, 1, this);
        return true;
    }
    callback(m_plan.vi, m_plan.threshold, 0, this);
    return false;
}
