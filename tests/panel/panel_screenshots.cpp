// Grabs the main window (demo mode for each model, and against a simulated instrument) and
// the device information dialog into PNG files, for a look at the layout. Not a test.
#include "demoStore.h"
#include "messageBoxes.h"
#include "panelStyle.h"
#include "simInstrument.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "ts4720fp_demoSubtypeSelect.h"
#include "ts47xx_deviceStatus.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>

static void save(QWidget *widget, const QString &path)
{
    widget->show();
    QApplication::processEvents();
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ts2900fp_applyPanelStyle();
    const QString dir = argc > 1 ? argv[1] : QDir::tempPath();
    QString choice;
    messageBoxes::ScopedHandler boxes([&choice](const messageBoxes::Request &r) {
        if (!r.customButtons.isEmpty())
            return int(r.customButtons.indexOf(choice));
        return int(r.kind == messageBoxes::Kind::Critical ? QMessageBox::No : QMessageBox::Yes);
    });
    ts4720_spc spc;
    const char *models[] = {"AA", "AB", "AC"};
    for (int m = 0; m < 3; ++m) {
        demoStore::clearAll();
        ts4720fp_demoSubtypeSelect::setHandler([m](ts4720fp_demoSubtypeSelect *d) {
            d->modelBox()->setCurrentIndex(m);
            return int(QDialog::Accepted);
        });
        choice = "Run In Demo Mode";
        ts4720fp_App panel(&spc, false);
        save(&panel, dir + QStringLiteral("/panel-demo-%1.png").arg(models[m]));
    }
    tssim::Options options;
    options.address = "127.44.9.1";
    options.webPort = -1;
    tssim::Instrument instrument(options);
    instrument.start();
    instrument.command("SIM:CHAN:OPEN 3,1");
    qputenv("TSVISA_RESOURCES", QByteArray::fromStdString(instrument.descriptor()));
    choice = "Auto Find";
    ts4720fp_App panel(&spc, false);
    panel.mainTabs()->setCurrentIndex(0);
    save(&panel, dir + "/panel-instrument.png");
    save(panel.deviceStatus(), dir + "/device-status.png");
    return 0;
}
