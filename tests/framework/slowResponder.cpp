// Delayed *IDN? answers on many loopback addresses, served from one thread.
#include "slowResponder.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

slowResponder::slowResponder(const QStringList &addresses, int delayMs, const QByteArray &reply)
    : m_addresses(addresses), m_delayMs(delayMs), m_reply(reply), m_context(new QObject)
{
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
}

slowResponder::~slowResponder()
{
    m_thread.quit();
    m_thread.wait();
}

bool slowResponder::start()
{
    m_thread.start();
    bool listening = true;
    QMetaObject::invokeMethod(m_context, [this, &listening]() {
        for (const QString &address : m_addresses) {
            auto *server = new QTcpServer(m_context);
            listening = server->listen(QHostAddress(address), 5025) && listening;
            QObject::connect(server, &QTcpServer::newConnection, m_context, [this, server]() {
                while (QTcpSocket *socket = server->nextPendingConnection())
                    serve(socket);
            });
        }
    }, Qt::BlockingQueuedConnection);
    return listening;
}

void slowResponder::serve(QTcpSocket *socket)
{
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, m_context, [this, socket]() {
        if (!socket->readAll().contains('\n'))
            return;
        const int now = ++m_waiting;
        for (int seen = m_maxWaiting; now > seen && !m_maxWaiting.compare_exchange_weak(seen, now);) {
        }
        QTimer::singleShot(m_delayMs, m_context, [this, socket]() {
            // Counted as answered before the reply leaves, so the next probe served by this
            // thread can never be seen while this one still counts.
            --m_waiting;
            ++m_answered;
            socket->write(m_reply);
        });
    });
}
