// Pictures of the Measurement tab during a recorded run against a simulated instrument
// (127.44.9.21): the Waveforms view with its three panes and the Data Acquisition page.
#include "panelScreens.h"

#include "acqConfig.h"
#include "chLabel.h"
#include "measurement.h"
#include "measurement_acquisition.h"
#include "measurement_waveforms.h"
#include "messageBoxes.h"
#include "simInstrument.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "waveform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include <cstdio>

namespace panelScreens {

namespace {
void runEventsFor(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

void acquisitionPages(const QString &dir)
{
    tssim::Options options;
    options.address = "127.44.9.21";
    options.subType = "AA";
    options.webPort = -1;
    tssim::Instrument instrument(options);
    std::string why;
    if (!instrument.start(&why)) {
        std::fprintf(stderr, "cannot start a simulated instrument: %s\n", why.c_str());
        return;
    }
    instrument.command("SIM:CHAN:OPEN 6,1");
    qputenv("TSVISA_RESOURCES", QByteArray::fromStdString(instrument.descriptor()));
    messageBoxes::ScopedHandler boxes([](const messageBoxes::Request &r) {
        if (!r.customButtons.isEmpty())
            return int(r.customButtons.indexOf("Auto Find"));
        return int(r.standardButtons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
    });
    ts4720_spc spc;
    ts4720fp_App panel(&spc, false);
    panel.resize(1200, 950);
    auto *tabs = panel.findChild<measurement *>();
    measurement_acquisition *acquisition = tabs->acquisition;
    acquisition->scanRate->setValue(100);
    acquisition->stopMode->setCurrentIndex(acquisition->stopMode->findData(2));
    acquisition->storage->setCurrentIndex(acquisition->storage->findText("RAM Disk on Korvan 4720 + Local Hard Drive"));
    acquisition->storeTimestamps->setChecked(true);
    acquisition->plotLength->setValue(1000);
    const QString file = QDir(dir).filePath("screens-run.csv");
    acquisition->askOutputFile = [file](acqConfig *dialog) {
        dialog->path->setText(file);
        return dialog->checkPath(true);
    };
    acquisition->startAcquisition();
    tabs->setCurrentWidget(tabs->waveforms);
    panel.show();
    runEventsFor(6000);
    save(&panel, dir, "measurement-waveforms-run");
    // The other panes with a few channels each; the second in °F.
    for (int pane : {2, 3}) {
        for (int i = 0; i < 4; ++i)
            tabs->waveforms->plots[pane - 1]->labels[(pane - 2) * 8 + i]->setShown(true);
        for (QDockWidget *dock : tabs->waveforms->findChildren<QDockWidget *>())
            if (dock->windowTitle() == QStringLiteral("Waveform %1").arg(pane))
                dock->raise();
        tabs->waveforms->unit->setCurrentIndex(pane == 2 ? 1 : 0);
        runEventsFor(1500);
        save(&panel, dir, QStringLiteral("measurement-waveforms-pane%1").arg(pane));
    }
    tabs->setCurrentWidget(acquisition);
    runEventsFor(1200);
    save(&panel, dir, "measurement-acquisition-run");
    acquisition->stopAcquisition();
    runEventsFor(1500);
    save(&panel, dir, "measurement-acquisition-stopped");
}

} // namespace panelScreens
