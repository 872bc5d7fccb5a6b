// The polling thread's loop: one poll per elapsed second, results published as a whole.
#include "pollingThread.h"

#include "demoStore.h"
#include "trace.h"
#include "ts2900.h"
#include "ts4720.h"
#include "ts4720_ext.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <algorithm>

pollingSnapshot::pollingSnapshot()
{
    std::fill(std::begin(values), std::end(values), pollingThread::noReading);
}

pollingThread::pollingThread(const QByteArray &descriptor, int channelCount, bool demo, QObject *parent)
    : QThread(parent), m_descriptor(descriptor), m_channelCount(qBound(0, channelCount, TS4720_MAX_CHANNELS)), m_demo(demo),
      m_settingsReader(m_channelCount)
{
    m_pollTimer.start();
    if (!m_demo)
        ts4720_init(m_descriptor.constData(), VI_FALSE, VI_FALSE, &m_session);
    trace("THREAD: session = %x\n", unsigned(m_session));
}

pollingThread::~pollingThread()
{
    stop();
}

pollingSnapshot pollingThread::snapshot() const
{
    std::lock_guard<std::mutex> locker(m_resultsMutex);
    return m_results;
}

qint16 pollingThread::acquisitionState() const
{
    std::lock_guard<std::mutex> locker(m_resultsMutex);
    return m_results.acquisitionState;
}

void pollingThread::clearValues()
{
    std::lock_guard<std::mutex> locker(m_resultsMutex);
    std::fill(m_results.values, m_results.values + m_channelCount, noReading);
}

void pollingThread::stop()
{
    m_stopRequest = true;
    while (isRunning()) {
        trace("waiting for thread termination...\n");
        ts2900_delay(200);
    }
    // Pairs with the count at the end of run(): all the thread did is visible from here on,
    // also to the thread sanitizer, which cannot see QThread's own end-of-thread handshake.
    (void)m_runsEnded.load(std::memory_order_acquire);
}

void pollingThread::reInit()
{
    if (!m_demo)
        m_reinitRequest = true;
}

void pollingThread::run()
{
    m_pollTimer.restart();
    while (!m_stopRequest) {
        const qint64 elapsed = m_pollTimer.elapsed();
        if (elapsed > 1000) {
            m_pollTimer.restart();
            poll();
        } else {
            // Sleep in short slices so a stop request is seen at once.
            msleep(static_cast<unsigned long>(std::min<qint64>(1001 - elapsed, 20)));
        }
    }
    if (m_session != 0 && !m_demo) {
        trace("THREAD: close session\n");
        ts4720_close(m_session);
        m_session = 0;
    }
    m_runsEnded.fetch_add(1, std::memory_order_release);
}

void pollingThread::poll()
{
    if (m_reinitRequest.exchange(false))
        reinitialiseSession();
    // The instrument may be back (or reachable at last): try again, once a poll.
    if (!m_demo && m_session == 0 && !m_closedOnRequest)
        openSession();

    pollingSnapshot next = snapshot();
    bool answered = true;
    if (m_pollState) {
        if (m_demo)
            pollDemo(next);
        else if (m_session != 0)
            answered = pollInstrument(next);
    }
    bool scanned = false;
    if (m_pollScan && (m_demo || m_session != 0) && answered) {
        scanned = true;
        answered = pollScan(next) && pollSettings(next);
    }
    if (!m_demo)
        next.link = m_session != 0 && answered ? linkState::Answering : linkState::Down;
    {
        std::lock_guard<std::mutex> locker(m_resultsMutex);
        // The live view may have cleared the values meanwhile; only a scan taken in this
        // pass replaces them.
        if (!scanned)
            std::copy(std::begin(m_results.values), std::end(m_results.values), next.values);
        m_results = next;
    }
    emit dataReady();
}

void pollingThread::openSession()
{
    ts4720_init(m_descriptor.constData(), VI_FALSE, VI_FALSE, &m_session);
    if (m_session != 0)
        trace("THREAD: session = %x\n", unsigned(m_session));
}

void pollingThread::reinitialiseSession()
{
    trace("THREAD: reInit\n");
    if (m_session != 0) {
        trace("THREAD: close session\n");
        ts4720_close(m_session);
        m_session = 0;
        m_closedOnRequest = true;
    } else {
        ts4720_init(m_descriptor.constData(), VI_FALSE, VI_FALSE, &m_session);
        trace("THREAD: session = %x\n", unsigned(m_session));
        m_closedOnRequest = false;
    }
}

void pollingThread::pollDemo(pollingSnapshot &next)
{
    next.acquisitionState = static_cast<qint16>(demoStore::acquisitionState());
    next.ptpTime = static_cast<quint32>(QDateTime::currentSecsSinceEpoch());
}

bool pollingThread::pollInstrument(pollingSnapshot &next)
{
    ViInt16 state = next.acquisitionState;
    const ViStatus stateStatus = ts4720_checkAcquisition(m_session, &state, VI_NULL);
    if (stateStatus == VI_SUCCESS)
        next.acquisitionState = state;
    // A link that failed once in this poll need not be asked again.
    if (ts4720_isConnectionFailure(stateStatus))
        return false;
    ViUInt32 seconds = next.ptpTime;
    const ViStatus timeStatus = ts4720_getPTPTime(m_session, &seconds, VI_NULL);
    if (timeStatus == VI_SUCCESS)
        next.ptpTime = seconds;
    return !ts4720_isConnectionFailure(timeStatus);
}

bool pollingThread::pollScan(pollingSnapshot &next)
{
    if (m_demo) {
        QRandomGenerator *random = QRandomGenerator::global();
        for (int i = 0; i < m_channelCount; ++i) {
            if (m_firstFill)
                next.values[i] = double(random->bounded(100) - 50);
            next.values[i] += random->bounded(100) / 1000.0;
        }
        m_firstFill = false;
        return true;
    }
    ViReal64 scan[TS4720_MAX_CHANNELS];
    const ViStatus status = ts4720_acquireScan(m_session, scan);
    if (status == VI_SUCCESS)
        std::copy(scan, scan + m_channelCount, next.values);
    return !ts4720_isConnectionFailure(status);
}

bool pollingThread::pollSettings(pollingSnapshot &next)
{
    if (m_demo) {
        m_settingsReader.readDemo(next.settings);
        return true;
    }
    return m_settingsReader.readInstrument(m_session, next.settings, settingsBudgetMs);
}
