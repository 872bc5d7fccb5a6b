// The real view for bench_load.
#include "benchView.h"

#include "loadedFile.h"
#include "mainPanelFactory.h"
#include "measurement.h"
#include "measurement_waveforms.h"
#include "partLoadCfg.h"
#include "ts2900fp_app.h"
#include "waveform.h"

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

benchView::benchView(const loadedFileRecord &record)
    : m_record(record), m_panel(createMainPanel(m_personality, true))
{
    m_panel->resize(1300, 1000);
    m_panel->show();
    QApplication::processEvents();
}

benchView::~benchView()
{
    partLoadCfg::setHandler(nullptr);
}

double benchView::okToFirstDrawnPane(int plotLength)
{
    QElapsedTimer fromOk;
    partLoadCfg::setHandler([&](partLoadCfg *dialog) {
        dialog->allScans->click();
        dialog->plotLength->setValue(plotLength > 0 ? plotLength : m_record.rowCount);
        fromOk.start();
        dialog->okButton->click();
        return dialog->result();
    });
    if (!m_tab) {
        showLoadedFile(*m_panel);
        m_tab = m_panel->findChild<measurement *>();
    } else {
        m_tab->waveforms->reload->click();
    }
    waveform *pane = m_tab->waveforms->plots[0];
    pane->plot->canvas()->repaint();
    return double(fromOk.nsecsElapsed()) / 1e6;
}

double benchView::sliderToMiddleMs()
{
    QSlider *slider = m_tab->waveforms->plots[0]->positionSlider;
    slider->setValue(0);
    if (slider->maximum() < 2)
        return -1;
    QElapsedTimer t;
    t.start();
    slider->setValue(slider->maximum() / 2);
    m_tab->waveforms->plots[0]->plot->canvas()->repaint();
    return double(t.nsecsElapsed()) / 1e6;
}
