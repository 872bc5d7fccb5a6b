// The pictures: each function builds the windows it needs against demo mode or simulated
// instruments on loopback addresses of its own (127.44.9.x) and answers every box itself.
#include "panelScreens.h"

#include "channelConfiguration.h"
#include "channelConfiguration_settings.h"
#include "channelConfiguration_userTC.h"
#include "demoStore.h"
#include "messageBoxes.h"
#include "simInstrument.h"
#include "singleChannelConfig.h"
#include "ts2900fp_led.h"
#include "ts4720_ext.h"
#include "ts2900fp_spcEnterAddress.h"
#include "ts2900fp_spcSelect.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "ts4720fp_demoSubtypeSelect.h"
#include "ts47xx_deviceStatus.h"
#include "userTC.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <memory>

namespace panelScreens {

void save(QWidget *widget, const QString &dir, const QString &name)
{
    widget->show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

namespace {

std::unique_ptr<tssim::Instrument> startInstrument(const char *address, const char *subType = "AC",
                                                   const char *identity = "")
{
    tssim::Options options;
    options.address = address;
    options.subType = subType;
    options.identity = identity;
    options.webPort = -1;
    auto instrument = std::make_unique<tssim::Instrument>(options);
    std::string why;
    if (!instrument->start(&why))
        std::fprintf(stderr, "cannot start a simulated instrument on %s: %s\n", address, why.c_str());
    return instrument;
}

// Shows the request as the real box would look, saves its picture and gives `answer`.
int pictureOfBox(const messageBoxes::Request &request, const QString &dir, const QString &name, int answer)
{
    const QMessageBox::Icon icon = request.kind == messageBoxes::Kind::Critical ? QMessageBox::Critical
                                   : request.kind == messageBoxes::Kind::Warning ? QMessageBox::Warning
                                                                                 : QMessageBox::Question;
    QMessageBox box(icon, request.title, request.text, request.standardButtons);
    for (const QString &text : request.customButtons)
        box.addButton(text, QMessageBox::ActionRole);
    if (request.defaultStandard != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultStandard);
    save(&box, dir, name);
    return answer;
}

// Start-up box: `choice`; questions: Yes; everything else: No or OK. `critical` sees
// error reports first when set.
messageBoxes::Handler answering(const QString &choice, std::function<int(const messageBoxes::Request &)> critical = {})
{
    return [choice, critical](const messageBoxes::Request &r) {
        if (!r.customButtons.isEmpty())
            return int(r.customButtons.indexOf(choice));
        if (r.kind == messageBoxes::Kind::Critical)
            return critical ? critical(r) : int(QMessageBox::No);
        return int(r.standardButtons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
    };
}

bool waitFor(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

// An acquisition on the panel's session that loses the network for 30 s.
void ledWhileReconnecting(ts4720fp_App &panel, tssim::Instrument &instrument, QWidget *status, const QString &dir)
{
    instrument.command("ATTR 295,1;:ACQ:MODE 0,10,0,0,0,1");
    auto readOne = [](ViSession vi, ViInt32, ViInt16, ViAddr) {
        ViReal64 data[TS4720_MAX_CHANNELS];
        ViInt32 remaining = 0, read = 0;
        ts4720_readAcquisition(vi, 1, 0, &remaining, &read, data, VI_NULL);
    };
    ts4720_startAcquisitionEx(panel.session(), 1, readOne, nullptr);
    instrument.command("SIM:NET:DOWN 30");
    waitFor([&] { return panel.activeLed()->text().startsWith("Reconnecting ("); });
    const QDeadlineTimer countdown(2500); // the seconds left go down with the polls
    waitFor([&] { return countdown.hasExpired(); });
    save(status, dir, "led-reconnecting");
    save(&panel, dir, "panel-reconnecting");
    instrument.command("SIM:NET:DOWN 0");
    waitFor([&] { return panel.activeLed()->text() == "Active"; });
    ts4720_stopAcquisition(panel.session());
}

} // namespace

void mainPanel(const QString &dir)
{
    ts4720_spc spc;
    const char *models[] = {"AA", "AB", "AC"};
    for (int m = 0; m < 3; ++m) {
        demoStore::clearAll();
        ts4720fp_demoSubtypeSelect::setHandler([m](ts4720fp_demoSubtypeSelect *d) {
            d->modelBox()->setCurrentIndex(m);
            return int(QDialog::Accepted);
        });
        messageBoxes::ScopedHandler boxes(answering("Run In Demo Mode"));
        ts4720fp_App panel(&spc, false);
        save(&panel, dir, QStringLiteral("panel-demo-%1").arg(models[m]));
    }
    auto instrument = startInstrument("127.44.9.1");
    instrument->command("SIM:CHAN:OPEN 3,1");
    qputenv("TSVISA_RESOURCES", QByteArray::fromStdString(instrument->descriptor()));
    messageBoxes::ScopedHandler boxes(answering("Auto Find"));
    ts4720fp_App panel(&spc, false);
    panel.mainTabs()->setCurrentIndex(0);
    QWidget *status = panel.activeLed()->parentWidget();
    waitFor([&] { return panel.saveConfigurationButton()->isEnabled(); });
    save(&panel, dir, "panel-instrument");
    save(status, dir, "led-active");
    save(panel.deviceStatus(), dir, "device-status");
    panel.deviceStatus()->hide();
    ledWhileReconnecting(panel, *instrument, status, dir);
    instrument->stop();
    waitFor([&] { return panel.activeLed()->text() == "No connection"; });
    save(status, dir, "led-no-connection");
    save(&panel, dir, "panel-no-connection");
}

// Refused input: a threshold that is no number, a minimum above the maximum, a coefficient
// that is no number, and the one message Save gives for them.
static void refusedInput(const QString &dir)
{
    panelContext context;
    context.demo = true;
    context.channelCount = 16;
    channelConfiguration tabs(context);
    tabs.resize(1150, 650);
    tabs.settings->doRefresh();
    tabs.show();
    typeInto(tabs.settings->cfg[1]->thMin, "abc");
    typeInto(tabs.settings->cfg[2]->thMin, "30");
    typeInto(tabs.settings->cfg[2]->thMax, "20,5");
    typeInto(tabs.settings->cfg[3]->thMax, QString::fromUtf8("12,5 °C"));
    save(&tabs, dir, "settings-refused");
    {
        messageBoxes::ScopedHandler boxes([&dir](const messageBoxes::Request &r) {
            return pictureOfBox(r, dir, "settings-refused-save", QMessageBox::Ok);
        });
        tabs.settings->doSave();
    }
    tabs.setCurrentIndex(1);
    typeInto(tabs.userTC->userTypes[0]->coeffEdits[3], "nan");
    typeInto(tabs.userTC->userTypes[1]->coeffEdits[0], "2,5");
    save(&tabs, dir, "userTC-refused");
}

void channelPages(const QString &dir)
{
    messageBoxes::ScopedHandler boxes(answering(QString()));
    for (int channels : {16, 48}) {
        auto instrument = startInstrument("127.44.9.2", channels == 48 ? "AC" : "AA");
        ViSession vi = 0;
        ts4720_init(instrument->descriptor().c_str(), VI_FALSE, VI_FALSE, &vi);
        for (int ch = 4; ch <= channels; ++ch)
            instrument->command(QStringLiteral("CHAN:STAT %1,%2;:CHAN:CONF %1,\"J\",0").arg(ch).arg(ch % 3 == 0).toStdString());
        instrument->command("CHAN:CONF 3,\"User 2\",1;:CHAN:ALER 1,1,-10,1,85.5;:SIM:CHAN:OPEN 2,1");
        instrument->command("THER:CUST \"User 1\",3,0.5,25.25,-1e-3");
        for (bool demo : {false, true}) {
            panelContext context;
            context.vi = demo ? 0 : vi;
            context.demo = demo;
            context.channelCount = channels;
            channelConfiguration tabs(context);
            tabs.resize(1150, 650);
            tabs.settings->doRefresh();
            tabs.userTC->doRefresh();
            const QString suffix = QStringLiteral("-%1-%2").arg(demo ? "demo" : "instrument").arg(channels);
            save(&tabs, dir, "settings" + suffix);
            tabs.setCurrentIndex(1);
            save(&tabs, dir, "userTC" + suffix);
        }
        ts4720_close(vi);
    }
    refusedInput(dir);
}

void connection(const QString &dir)
{
    auto a = startInstrument("127.44.9.11"), b = startInstrument("127.44.9.12");
    auto other = startInstrument("127.44.9.13", "AC", "Tarsel Ltd.,Korvan 4711,12345678,1.0");
    qputenv("TSVISA_RESOURCES", "TCPIP::127.44.9.11::INSTR;TCPIP::127.44.9.12::INSTR;TCPIP::127.44.9.13::INSTR");
    ts4720_spc spc;
    {
        ts2900fp_spcSelect select(&spc);
        select.findModules();
        save(&select, dir, "select-nothing-chosen");
        select.tree()->setCurrentItem(select.tree()->topLevelItem(0)->child(1));
        save(&select, dir, "select-module-chosen");
    }
    // An address that accepts the connection but never answers.
    auto silent = startInstrument("127.44.9.14");
    silent->command("SIM:SILent 1");
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&typing] {
        if (auto *dialog = qobject_cast<ts2900fp_spcEnterAddress *>(QApplication::activeModalWidget())) {
            typing.stop();
            dialog->combo()->setEditText("TCPIP::127.44.9.14::INSTR");
            dialog->accept();
        }
    });
    typing.start(10);
    {
        messageBoxes::ScopedHandler boxes([&dir](const messageBoxes::Request &r) {
            if (r.customButtons.contains("Enter Address"))
                return 2;
            return pictureOfBox(r, dir, "unavailable-silent", 1);
        });
        ts2900fp_spcSelect select(&spc);
        select.selectModule();
    }
    // The instrument goes away under a device reset: one box for the whole action.
    qputenv("TSVISA_RESOURCES", "TCPIP::127.44.9.11::INSTR");
    messageBoxes::ScopedHandler boxes(answering("Auto Find", [&dir](const messageBoxes::Request &r) {
        return pictureOfBox(r, dir, "outage-box", QMessageBox::No);
    }));
    ts4720fp_App panel(&spc, false);
    a->stop();
    panel.resetDevice();
}

} // namespace panelScreens
