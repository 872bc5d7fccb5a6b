// The Waveforms view on a loaded file.
#include "loadedFileView.h"

#include "asciiText.h"
#include "chLabel.h"
#include "loadedFile.h"
#include "loadedSamples.h"
#include "paneRedraw.h"
#include "waveform.h"

#include <QSlider>

#include <algorithm>

namespace loadedFileView {

QVector<bool> channelsInFile(const loadedFileRecord &record)
{
    QVector<bool> present(std::clamp(record.channelCount, 0, modelTable::maxChannels));
    for (int i = 0; i < present.size(); ++i)
        present[i] = record.channels[i].present != 0;
    return present;
}

QString timeAxisTitle(const loadedFileRecord &record)
{
    if (record.hasTimestamps)
        return QStringLiteral("Seconds (PTP timestamps)");
    if (record.scanRate == 0)
        return QStringLiteral("Scans");
    const std::string clock = ascii::upper(std::string(record.clockSource, qstrnlen(record.clockSource, sizeof record.clockSource)));
    return clock.find("PTP") != std::string::npos || clock.find("INTERNAL") != std::string::npos ? QStringLiteral("Seconds")
                                                                                                 : QStringLiteral("Scans");
}

void setUpSlider(waveform *plot, const plotPaging &paging)
{
    QSlider *slider = plot->positionSlider;
    if (!slider)
        return;
    const QSignalBlocker quiet(slider);
    slider->setRange(0, paging.sliderMaximum);
    slider->setEnabled(paging.sliderMaximum >= 1);
    slider->setValue(0);
}

void draw(waveform *plot, const loadedSamples &samples, const plotPaging &paging, bool setTimeAxis)
{
    const plotPaging::range shown = paging.shown(plot->positionSlider ? plot->positionSlider->value() : 0);
    int k = 0;
    for (int j = 0; j < plot->labels.size(); ++j) {
        if (!plot->labels[j]->isEnabled())
            continue;
        if (const plotSamples::ptr window = samples.window(k++))
            plot->setCurveData(j, samples.time(), window, shown.first, shown.count);
    }
    finishPaneRedraw(plot, samples.time().get(), shown.first, shown.count, setTimeAxis);
}

} // namespace loadedFileView
