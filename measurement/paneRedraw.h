// The end of every redraw of a Waveforms pane, from an acquisition or a loaded file.
#ifndef TS4720_PANEREDRAW_H
#define TS4720_PANEREDRAW_H

class plotSamples;
class waveform;

// With setTimeAxis, the time axis (and the time-axis dialog's range) spans time[first] ..
// time[first + span - 1]; then the temperature axis auto-scales as the plot's "Auto Scale"
// says, and the pane is replotted with its tracker and zoom base following the scales.
void finishPaneRedraw(waveform *plot, const plotSamples *time, int first, int span, bool setTimeAxis);

#endif
