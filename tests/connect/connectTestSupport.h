// Shared pieces of the connection tests: a personality with scripted driver answers,
// scripted message boxes, acting on a modal dialog while the code under test waits in its
// exec(), and simulated instruments on loopback addresses.
#ifndef CONNECTTESTSUPPORT_H
#define CONNECTTESTSUPPORT_H

#include "messageBoxes.h"
#include "simInstrument.h"
#include "ts2900fp_genSPC.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

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

// Answers the seam's boxes in order (-1, i.e. closed, once used up) for its lifetime and
// keeps what was asked.
class scriptedBoxes {
public:
    explicit scriptedBoxes(QList<int> answers);
    ~scriptedBoxes() { messageBoxes::setHandler(messageBoxes::Handler()); }
    Q_DISABLE_COPY(scriptedBoxes)
    QStringList texts() const;

    QList<int> answers;
    QList<messageBoxes::Request> seen;
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

// Simulated instruments on loopback addresses of one test; stopped at destruction.
class simFarm {
public:
    // Starts one on the address; an empty identity answers as a Korvan 4720.
    bool start(const QString &address, const QString &identity = QString());
    QString descriptor(int index) const;

private:
    std::vector<std::unique_ptr<tssim::Instrument>> m_instruments;
};

inline QString tcpip(const QString &address)
{
    return QStringLiteral("TCPIP::%1::INSTR").arg(address);
}

// Puts the descriptors into the environment list that VISA discovery reads.
void setConfiguredResources(const QStringList &descriptors);

#endif
