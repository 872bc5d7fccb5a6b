// Delayed *IDN? answers on many loopback addresses, served from one thread.
#include "slowResponder.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class slowResponderWorker : public QObject {
public:
    slowResponderWorker(slowResponder *owner, QStringList addresses, int delayMs, QByteArray reply)
        : m_owner(owner), m_addresses(std::move(addresses)), m_delayMs(delayMs),
          m_reply(std::move(reply))
    {
    }

    bool listen()
    {
        for (const QString &address : m_addresses) {
            auto *server = new QTcpServer(this);
            if (!server->listen(QHostAddress(address), 5025))
                return false;
            connect(server, &QTcpServer::newConnection, this, [this, server]() {
                while (QTcpSocket *socket = server->nextPendingConnection())
                    serve(socket);
            });
        }
        return true;
    }

private:
    void serve(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() {
            if (!socket->readAll().contains('\n'))
                return;
            m_owner->requestArrived();
            QTimer::singleShot(m_delayMs, this, [this, socket]() {
                // Counted as answered before the reply leaves, so the next probe of the
                // same worker thread can never be seen while this one still counts.
                m_owner->requestAnswered();
                socket->write(m_reply);
            });
        });
    }

    slowResponder *m_owner;
    QStringList m_addresses;
    int m_delayMs;
    QByteArray m_reply;
};

slowResponder::slowResponder(const QStringList &addresses, int delayMs, const QByteArray &reply)
    : m_worker(new slowResponderWorker(this, addresses, delayMs, reply))
{
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
}

slowResponder::~slowResponder()
{
    m_thread.quit();
    m_thread.wait();
}

bool slowResponder::start()
{
    m_thread.start();
    bool listening = false;
    QMetaObject::invokeMethod(m_worker, [this, &listening]() { listening = m_worker->listen(); },
                              Qt::BlockingQueuedConnection);
    return listening;
}

void slowResponder::requestArrived()
{
    const int now = ++m_waiting;
    int seen = m_maxWaiting.load();
    while (now > seen && !m_maxWaiting.compare_exchange_weak(seen, now)) {
    }
}

void slowResponder::requestAnswered()
{
    --m_waiting;
    ++m_answered;
}
