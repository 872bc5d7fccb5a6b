// A pane of the Waveforms view for bench_load.
#include "benchView.h"

#include "acquisitionWindows.h"
#include "chLabel.h"
#include "dataFileLoad.h"
#include "loadedFile.h"
#include "plotPaging.h"
#include "waveform.h"

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>

#include <vector>

benchView::benchView(const loadedFileRecord &record)
    : m_record(record), m_pane(new waveform(nullptr, record.channelCount, true))
{
    m_pane->resize(1300, 520);   // a canvas about 1000 x 400 px
    m_pane->show();
    QApplication::processEvents();
    for (int i = 0; i < record.channelCount; ++i)
        m_pane->labels[i]->setChannelEnabled(record.channels[i].present);
    m_pane->attachShownCurves();
}

benchView::~benchView() = default;

void benchView::draw(int first, int count)
{
    m_samples.update(m_pane->displayUnit());
    int k = 0;
    for (int i = 0; i < m_record.channelCount; ++i)
        if (m_record.channels[i].present)
            m_pane->setCurveData(i, m_samples.time(), m_samples.window(k++), first, count);
    const double *time = m_samples.time()->data();
    m_pane->plot->setAxisScale(QwtPlot::xBottom, time[first], time[first + count - 1]);
    m_pane->plot->setAxisAutoScale(QwtPlot::yLeft, true);
    m_pane->plot->replot();
    m_pane->plot->canvas()->repaint();
}

void benchView::loadEverything()
{
    const int rows = m_record.rowCount;
    m_samples.clear();
    dataFileLoad(nullptr).load(m_record, {0, rows, rows});
}

void benchView::drawFirst()
{
    draw(0, m_record.rowCount);
}

double benchView::sliderToMiddleMs(int plotLength)
{
    const plotPaging paging = plotPaging::of(m_record.rowCount, plotLength);
    m_pane->positionSlider->setRange(0, paging.sliderMaximum);
    draw(0, paging.plotLength);
    QElapsedTimer t;
    t.start();
    m_pane->positionSlider->setValue(paging.sliderMaximum / 2);
    const plotPaging::range r = paging.shown(m_pane->positionSlider->value());
    draw(r.first, r.count);
    return double(t.nsecsElapsed()) / 1e6;
}
