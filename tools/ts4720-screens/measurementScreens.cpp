// Pictures of the Measurement tab: the live view for 16 and 48 channels with open, alert,
// armed-free and disabled tiles, and the trigger configuration, against a simulated
// instrument on 127.44.9.3.
#include "panelScreens.h"

#include "channelItem.h"
#include "measurement.h"
#include "measurement_polling.h"
#include "measurement_triggerConfig.h"
#include "messageBoxes.h"
#include "pollingThread.h"
#include "simInstrument.h"
#include "ts4720.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace panelScreens {

namespace {
void waitUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired()) {
        QEventLoop slice;
        QTimer::singleShot(50, &slice, &QEventLoop::quit);
        slice.exec();
    }
}

// Channel 2 open, 3 above its upper threshold, 4 below its lower one, every fifth off.
void prepare(tssim::Instrument &instrument, int channels)
{
    for (int ch = 1; ch <= channels; ++ch)
        instrument.command("CHAN:STAT " + std::to_string(ch) + (ch % 5 == 0 ? ",0" : ",1"));
    instrument.command("SIM:CHAN:OPEN 2,1;:CHAN:ALER 3,0,0,1,20;:SIM:CHAN:TEMP 3,31.25");
    instrument.command("CHAN:ALER 4,1,50,0,0;:SIM:CHAN:TEMP 4,25;:CHAN:CONF 6,\"User 1\",1");
    instrument.command("TRIG:LINE:STAT 3,1;:TRIG:OUTP:FUNC 1,2");
}
} // namespace

void measurementPages(const QString &dir)
{
    messageBoxes::ScopedHandler boxes([](const messageBoxes::Request &) { return int(QMessageBox::No); });
    for (int channels : {16, 48}) {
        tssim::Options options;
        options.address = "127.44.9.3";
        options.subType = channels == 16 ? "AA" : "AC";
        options.webPort = -1;
        tssim::Instrument instrument(options);
        std::string why;
        if (!instrument.start(&why)) {
            std::fprintf(stderr, "cannot start a simulated instrument: %s\n", why.c_str());
            return;
        }
        prepare(instrument, channels);
        ViSession vi = 0;
        ts4720_init(instrument.descriptor().c_str(), VI_FALSE, VI_FALSE, &vi);
        pollingThread poller(QByteArray::fromStdString(instrument.descriptor()), channels, false);
        panelContext context;
        context.vi = vi;
        context.channelCount = channels;
        context.poller = &poller;
        measurement tabs(context);
        tabs.resize(1150, 650);
        QObject::connect(&poller, &pollingThread::dataReady, tabs.polling, &measurement_polling::doRefresh);
        tabs.refreshPage();
        poller.start();
        tabs.polling->startPolling();
        waitUntil([&] { return std::strcmp(tabs.polling->items[3]->state(), "limitBelow") == 0; });
        save(&tabs, dir, QStringLiteral("measurement-live-%1").arg(channels));
        tabs.polling->unitBox->setCurrentIndex(2);
        tabs.polling->doRefresh();
        save(&tabs, dir, QStringLiteral("measurement-live-%1-kelvin").arg(channels));
        tabs.setCurrentWidget(tabs.triggerConfig);
        save(&tabs, dir, QStringLiteral("measurement-triggers-%1").arg(channels));
        poller.stop();
        ts4720_close(vi);
    }
}

} // namespace panelScreens
