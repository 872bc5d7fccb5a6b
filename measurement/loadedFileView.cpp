// The Waveforms view on a loaded file.
#include "loadedFileView.h"

#include "asciiText.h"
#include "axisConfig.h"
#include "chLabel.h"
#include "loadedFile.h"
#include "loadedSamples.h"
#include "waveform.h"

#include <qwt_plot.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSlider>

#include <algorithm>
#include <cmath>

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
    const plotSamples::ptr time = samples.time();
    if (setTimeAxis && time && shown.count > 0 && std::isfinite((*time)[shown.first])) {
        const double from = (*time)[shown.first];
        double to = (*time)[shown.first + shown.count - 1];
        if (!(to > from))
            to = from + 1;   // a single scan, or times that do not rise: still a valid axis
        plot->plot->setAxisAutoScale(QwtPlot::xBottom, false);
        plot->plot->setAxisScale(QwtPlot::xBottom, from, to);
        plot->xAxisConfig->lower->setRange(from, to);
        plot->xAxisConfig->upper->setRange(from, to);
    }
    plot->plot->setAxisAutoScale(QwtPlot::yLeft, plot->autoScale->isChecked());
    plot->plot->replot();
    plot->scaleUpdate();
    plot->updateZoomBase();
    plot->plot->replot();
}

} // namespace loadedFileView
