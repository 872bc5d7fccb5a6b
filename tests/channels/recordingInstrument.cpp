#include "recordingInstrument.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>

recordingInstrument::recordingInstrument(const QString &addr)
    : address(addr)
{
    worker.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(
        &worker, [this] { serve(); }, Qt::BlockingQueuedConnection);
}

recordingInstrument::~recordingInstrument()
{
    QMetaObject::invokeMethod(
        &worker, [this] { delete server; }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

QStringList recordingInstrument::messages() const
{
    QMutexLocker locker(&mutex);
    return received;
}

void recordingInstrument::serve()
{
    server = new QTcpServer;
    ok = server->listen(QHostAddress(address), 5025);
    QObject::connect(server, &QTcpServer::newConnection, server, [this] {
        QTcpSocket *socket = server->nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                const QString line = QString::fromLatin1(socket->readLine()).trimmed();
                {
                    QMutexLocker locker(&mutex);
                    received << line;
                }
                QStringList replies;
                for (const QString &unit : line.split(';')) {
                    if (unit.contains('?'))
                        replies << answer(unit);
                }
                if (!replies.isEmpty())
                    socket->write(replies.join(';').toLatin1() + "\n");
            }
        });
    });
}

QString recordingInstrument::answer(const QString &unit)
{
    if (unit.contains(QLatin1String("ERR")))
        return QStringLiteral("0,\"No error\"");
    if (unit.contains(QLatin1String("CUST")))
        return QStringLiteral("2,1.5,2.5");
    return QStringLiteral("0");
}
