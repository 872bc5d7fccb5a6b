// How the Waveforms view shows a loaded file: which channels it holds, the time-axis title,
// the position sliders, and one pane drawn from the load's plot copies at a slider position.
#ifndef TS4720_LOADEDFILEVIEW_H
#define TS4720_LOADEDFILEVIEW_H

#include "plotPaging.h"

#include <QString>
#include <QVector>

class loadedSamples;
class waveform;
struct loadedFileRecord;

namespace loadedFileView {

// Per channel index below the file's channel count: the file holds the channel.
QVector<bool> channelsInFile(const loadedFileRecord &record);

// "Seconds (PTP timestamps)" with timestamps; otherwise "Scans" at scan rate 0, "Seconds"
// for an internal or PTP clock, "Scans" for any other.
QString timeAxisTitle(const loadedFileRecord &record);

// The plot's slider: range 0 .. paging.sliderMaximum, enabled from a maximum of 1 on, at 0.
void setUpSlider(waveform *plot, const plotPaging &paging);

// Hands every enabled label's curve its window from the slider's position (window k for the
// k-th enabled label); with setTimeAxis the time axis spans what is shown. Then replots.
void draw(waveform *plot, const loadedSamples &samples, const plotPaging &paging, bool setTimeAxis);

} // namespace loadedFileView

#endif
