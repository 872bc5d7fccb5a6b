// What bench_load draws into: the program's own main panel in viewer mode, offscreen, with
// its Waveforms view loading the file through the Load Data File dialog (OK pressed on it).
#ifndef TS4720_BENCHVIEW_H
#define TS4720_BENCHVIEW_H

#include "ts4720_spc.h"

#include <memory>

class ts2900fp_app;
class measurement;
struct loadedFileRecord;

class benchView {
public:
    // record: loadedFile(), read before.
    explicit benchView(const loadedFileRecord &record);
    ~benchView();

    // Loads every scan (plotLength 0: every scan on the plot) and paints the first pane;
    // ms from OK until it is painted. The first call starts viewer mode, later ones Reload.
    double okToFirstDrawnPane(int plotLength = 0);
    // Moves the first pane's slider from 0 to the middle; ms until that pane is redrawn and
    // painted (-1 when the slider cannot move).
    double sliderToMiddleMs();

private:
    const loadedFileRecord &m_record;
    ts4720_spc m_personality;
    std::unique_ptr<ts2900fp_app> m_panel;
    measurement *m_tab = nullptr;
};

#endif
