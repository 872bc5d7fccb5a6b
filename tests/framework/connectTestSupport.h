// Shared pieces of the connection tests: a personality with scripted driver answers, and
// acting on a modal dialog while the code under test waits in its exec().
#ifndef CONNECTTESTSUPPORT_H
#define CONNECTTESTSUPPORT_H

#include "boxRecorder.h"
#include "testInstrument.h"
#include "ts2900fp_genSPC.h"

#include <QApplication>
#include <QTimer>

#include <functional>

// Records every init and close; init answers the scripted statuses in order, then 0.
class fakePersonality : public ts2900fp_genSPC {
public:
    explicit fakePersonality(ViInt32 model = 4720) : ts2900fp_genSPC(model) {}

    ViStatus init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi) override;
    ViStatus close(ViSession vi) override;
    QString version() override { return QStringLiteral("4.3.1.8449"); }
    QString description() override { return QStringLiteral("Isolated LXI Thermocouple Instrument"); }
    QString driverRevision() override { return QStringLiteral("test driver"); }
    QString notice() override { return QStringLiteral("test notice"); }

    QList<ViStatus> initStatuses; // answers of the next init calls
    QList<ViSession> initSessions; // sessions the next init calls write; then new ones
    QStringList initDescriptors;
    QList<bool> initResets;
    QList<ViSession> closed;
    ViSession nextSession = 0x47200100;
};

// Calls action once a modal widget of type T is the active modal widget; the caller then
// blocks in exec() and the action ends that exec.
template <class T>
void whenModal(std::function<void(T *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action]() {
        if (T *widget = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(widget);
        }
    });
    timer->start();
}

inline QString tcpip(const QString &address)
{
    return QStringLiteral("TCPIP::%1::INSTR").arg(address);
}

#endif
