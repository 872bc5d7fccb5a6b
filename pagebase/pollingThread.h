// The polling thread: once a second it reads the instrument's acquisition state and PTP
// time and, while the live view asks for it, one scan of all channels, on a driver
// session of its own; then it announces the results with dataReady().
#ifndef TS4720_POLLINGTHREAD_H
#define TS4720_POLLINGTHREAD_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <mutex>

#include "liveSettings.h"
#include "ts4720.h"

// Whether the instrument answered the thread's last poll.
enum class linkState { Unknown, Answering, Down };

// One poll's results, copied out whole so a reader never sees half a poll.
struct pollingSnapshot {
    qint16 acquisitionState = -1;       // -1 until the first state poll; 0 idle, 1 armed, 2 running
    double values[TS4720_MAX_CHANNELS]; // °C per channel (index 0 is channel 1); -300.0: no reading
    quint32 ptpTime = 0;                // seconds since 1970, 0 until the first poll
    linkState link = linkState::Unknown; // Down: no session, or the link failed in the last poll
    liveSettings settings;              // read while scanning, in turns (see liveSettingsReader)
    pollingSnapshot();
};

class pollingThread : public QThread {
    Q_OBJECT
public:
    static constexpr double noReading = -300.0;
    // How long one poll may spend reading the live view's settings: on a slow link a round
    // of 48 channels then takes a few polls instead of holding up the scans.
    static constexpr qint64 settingsBudgetMs = 600;

    // Real instrument: opens the thread's own session on descriptor at once; while it is not
    // open, every poll tries again.
    pollingThread(const QByteArray &descriptor, int channelCount, bool demo, QObject *parent = nullptr);
    ~pollingThread() override;

    pollingSnapshot snapshot() const;
    qint16 acquisitionState() const;

    // The live view switches scanning on and off; state polling is always on.
    void setPollScan(bool on) { m_pollScan = on; }
    bool pollScan() const { return m_pollScan; }
    // Marks every channel value as "no reading" until the next scan.
    void clearValues();

    // Sets the stop request and waits until the thread has ended, printing a line every
    // 200 ms while it waits. GUI thread only; the thread finishes its current poll first.
    void stop();

    ViSession session() const { return m_session; }
    int channelCount() const { return m_channelCount; }

public slots:
    // Asks the thread to close its session, or to reopen it when closed (not in demo mode).
    void reInit();

signals:
    void dataReady();

protected:
    void run() override;

private:
    void poll();
    void reinitialiseSession();
    void openSession();
    void pollDemo(pollingSnapshot &next);
    // Each returns false when the link failed.
    bool pollInstrument(pollingSnapshot &next);
    bool pollScan(pollingSnapshot &next);
    bool pollSettings(pollingSnapshot &next);

    const QByteArray m_descriptor;
    const int m_channelCount;
    const bool m_demo;
    ViSession m_session = 0; // written by the constructor and, later, only by the thread
    bool m_firstFill = true; // thread only
    bool m_closedOnRequest = false; // thread only: reInit closed the session, so do not reopen it
    liveSettingsReader m_settingsReader; // thread only

    // Guards m_results between the thread and its readers (a standard mutex, so that the
    // thread sanitizer sees it).
    mutable std::mutex m_resultsMutex;
    pollingSnapshot m_results;

    std::atomic<bool> m_pollState{true};
    std::atomic<bool> m_pollScan{false};
    std::atomic<bool> m_stopRequest{false};
    std::atomic<bool> m_reinitRequest{false};
    std::atomic<int> m_runsEnded{0}; // counted at the end of run(), read by stop()
    QElapsedTimer m_pollTimer; // thread only, after start
};

#endif
