// Stand-ins for instruments that take their time: they listen on many loopback addresses
// and answer *IDN? only after a delay, counting how many questions wait at once, which
// is how many identification probes run in parallel.
#ifndef SLOWRESPONDER_H
#define SLOWRESPONDER_H

#include <QByteArray>
#include <QStringList>
#include <QThread>

#include <atomic>

class slowResponderWorker;

class slowResponder {
public:
    slowResponder(const QStringList &addresses, int delayMs, const QByteArray &reply);
    ~slowResponder();

    // Listens on every address (port 5025) in a thread of its own.
    bool start();
    int maxWaiting() const { return m_maxWaiting.load(); }
    int answered() const { return m_answered.load(); }

    // Called by the serving thread around each delayed answer.
    void requestArrived();
    void requestAnswered();

private:

    QThread m_thread;
    slowResponderWorker *m_worker = nullptr; // lives in m_thread
    std::atomic<int> m_waiting{0};
    std::atomic<int> m_maxWaiting{0};
    std::atomic<int> m_answered{0};
};

#endif
