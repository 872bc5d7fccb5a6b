// The program as a viewer of a recorded file: the Load Data File dialog, then the Waveforms
// view paged with the first pane's slider, and the other pages as the file fills them.
#include "panelScreens.h"

#include "dataFileReader.h"
#include "loadedFile.h"
#include "mainPanelFactory.h"
#include "measurement.h"
#include "measurement_waveforms.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "partLoadCfg.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "waveform.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace panelScreens {

void viewer(const QString &dir, const QString &file)
{
    messageBoxes::ScopedHandler boxes([](const messageBoxes::Request &r) {
        std::printf("box: %s\n", qPrintable(r.text));
        return int(QMessageBox::Ok);
    });
    if (readDataFileHeader(file.toLocal8Bit().constData(), &loadedFile()) != 0) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
        return;
    }
    // The dialog as the user sees it, a plot length of a sixth of the scans typed, then OK.
    partLoadCfg::setHandler([&](partLoadCfg *dialog) {
        dialog->plotLength->setValue(std::max(loadedFile().rowCount / 6, 2));
        save(dialog, dir, QStringLiteral("viewer-load-dialog"));
        dialog->okButton->click();
        return dialog->result();
    });
    ts4720_spc personality;
    ts2900fp_setModelText(personality.modelText());
    std::unique_ptr<ts2900fp_app> panel = createMainPanel(personality, true);
    panel->show();
    if (!showLoadedFile(*panel)) {
        std::fprintf(stderr, "the file could not be shown\n");
        return;
    }
    panel->setWindowTitle(ts2900fp_panelName() + QStringLiteral(": ") + file);
    panel->resize(1280, 1000);
    auto *main = static_cast<ts4720fp_App *>(panel.get());
    measurement *tab = main->measurementPage();
    QSlider *slider = tab->waveforms->plots[0]->positionSlider;
    save(panel.get(), dir, QStringLiteral("viewer-start"));
    slider->setValue(slider->maximum() / 2);
    save(panel.get(), dir, QStringLiteral("viewer-slider-middle"));
    slider->setValue(slider->maximum());
    save(panel.get(), dir, QStringLiteral("viewer-slider-end"));
    tab->waveforms->unit->setCurrentIndex(tab->waveforms->unit->findData(QChar('F')));
    save(panel.get(), dir, QStringLiteral("viewer-fahrenheit"));
    for (int t = 0; t < main->mainTabs()->count(); ++t) {
        main->mainTabs()->setCurrentIndex(t);
        save(panel.get(), dir, QStringLiteral("viewer-tab%1").arg(t));
    }
    main->mainTabs()->setCurrentIndex(ts4720fp_App::measurementTab);
    for (int t = 0; t < tab->count(); ++t) {
        tab->setCurrentIndex(t);
        save(panel.get(), dir, QStringLiteral("viewer-measurement%1").arg(t));
    }
    partLoadCfg::setHandler(nullptr);
}

} // namespace panelScreens
