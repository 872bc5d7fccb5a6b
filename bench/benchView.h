// What bench_load draws into: one pane of the Waveforms view in viewer mode, showing the
// loaded windows as the view does (copied once per load, every curve of a shown channel).
#ifndef TS4720_BENCHVIEW_H
#define TS4720_BENCHVIEW_H

#include "loadedSamples.h"

#include <memory>

struct loadedFileRecord;
class waveform;

class benchView {
public:
    explicit benchView(const loadedFileRecord &record);
    ~benchView();

    // Loads every scan, every scan on the plot (as "OK" in the load dialog starts it).
    void loadEverything();
    // Paints the first pane with what was loaded.
    void drawFirst();
    // With plotLength scans on the plot, moves the slider to the middle; ms until repainted.
    double sliderToMiddleMs(int plotLength);

private:
    void draw(int first, int count);

    const loadedFileRecord &m_record;
    std::unique_ptr<waveform> m_pane;
    loadedSamples m_samples;
};

#endif
