// A stand-in instrument that records every message it receives and answers each query
// unit with a fixed reply, so a test can see the exact text the driver sent.
#ifndef TS4720_RECORDINGINSTRUMENT_H
#define TS4720_RECORDINGINSTRUMENT_H

#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>

class QTcpServer;

class recordingInstrument : public QObject {
    Q_OBJECT
public:
    // Listens on address port 5025, served from a thread of its own.
    explicit recordingInstrument(const QString &address);
    ~recordingInstrument() override;
    bool listening() const { return ok; }
    QString descriptor() const { return QStringLiteral("TCPIP::%1::INSTR").arg(address); }
    QStringList messages() const;

private:
    void serve();
    static QString answer(const QString &unit);

    const QString address;
    bool ok = false;
    QThread thread;
    QObject worker;               // lives in `thread`; the server's work runs through it
    QTcpServer *server = nullptr; // lives in `thread`
    mutable QMutex mutex;         // protects received
    QStringList received;
};

#endif
