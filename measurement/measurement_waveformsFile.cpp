// The Waveforms view on a loaded file: set up after each load, drawn from the windows in place.
#include "measurement_waveforms.h"

#include "loadedFile.h"
#include "loadedFileView.h"
#include "waveform.h"

#include <QCheckBox>
#include <QThread>

void measurement_waveforms::showLoadedFile(int scans, int plotLength)
{
    m_paging = plotPaging::of(scans, plotLength);
    scrollStep = m_paging.scrollStep;
    m_loaded.clear();
    const loadedFileRecord &record = loadedFile();
    for (waveform *plot : plots) {
        loadedFileView::setUpSlider(plot, m_paging);
        const QSignalBlocker quiet(plot->autoScale);
        plot->autoScale->setChecked(true);
    }
    setChannelsEnabled(loadedFileView::channelsInFile(record));
    setTimeAxisTitle(loadedFileView::timeAxisTitle(record));
    attachChannels();
}

void measurement_waveforms::drawLoadedFile(bool xAutoScaleOff)
{
    if (!m_loaded.update(plots[0]->displayUnit()))
        return;
    for (waveform *plot : plots)
        loadedFileView::draw(plot, m_loaded, m_paging, !xAutoScaleOff && plot->autoScale->isChecked());
}

void measurement_waveforms::drawLoadedPane(int p)
{
    if (m_loaded.update(plots[p]->displayUnit()))
        loadedFileView::draw(plots[p], m_loaded, m_paging, true);
}

void measurement_waveforms::letGoOfLoadedFile()
{
    // The panes are widgets: the windows are freed and reallocated on the GUI thread.
    Q_ASSERT(QThread::currentThread() == thread());
    m_loaded.clear();
    for (waveform *plot : plots)
        for (int j = 0; j < plot->curves.size(); ++j)
            plot->setCurveData(j, nullptr, nullptr, 0, 0);
}
