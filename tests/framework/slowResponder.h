// Stand-ins for instruments that take their time: they listen on many loopback addresses
// (port 5025, served from a thread of their own) and answer *IDN? only after a delay,
// counting how many questions wait at once, which is how many probes run in parallel.
#ifndef SLOWRESPONDER_H
#define SLOWRESPONDER_H

#include <QStringList>
#include <QThread>

#include <atomic>

class QTcpSocket;

class slowResponder {
public:
    slowResponder(const QStringList &addresses, int delayMs, const QByteArray &reply);
    ~slowResponder();
    bool start();
    int maxWaiting() const { return m_maxWaiting.load(); }
    int answered() const { return m_answered.load(); }

private:
    void serve(QTcpSocket *socket);

    const QStringList m_addresses;
    const int m_delayMs;
    const QByteArray m_reply;
    QThread m_thread;
    QObject *m_context; // lives in m_thread: parent of the servers, context of their slots
    std::atomic<int> m_waiting{0}, m_maxWaiting{0}, m_answered{0};
};

#endif
