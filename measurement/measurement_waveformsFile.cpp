// The Waveforms view on a loaded file: set up after each load, drawn from the load's copies.
#include "measurement_waveforms.h"

#include "loadedFile.h"
#include "loadedFileView.h"
#include "waveform.h"

#include <QCheckBox>

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
        loadedFileView::draw(plot, m_loaded, m_paging, m_fromSlider || (!xAutoScaleOff && plot->autoScale->isChecked()));
}
