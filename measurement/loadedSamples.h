// The plot copies of a loaded file, made once per load and unit: in viewer mode the windows
// do not change after loading, so paging with the slider hands the panes other ranges of
// the same copies instead of copying the windows again at every move.
#ifndef TS4720_LOADEDSAMPLES_H
#define TS4720_LOADEDSAMPLES_H

#include "plotSamples.h"
#include "temperatureUnit.h"

#include <vector>

class loadedSamples {
public:
    // Copies every loaded scan of plotWindows() (plotDataPtr of them) in the unit, unless
    // copies in this unit exist; the caller clears them after every load. Takes the
    // acquisition data lock. False when no scans are loaded.
    bool update(const temperatureUnit &unit);
    // Forgets the copies (a new load follows, or the view is cleared).
    void clear();

    plotSamples::ptr time() const { return m_time; }
    // Window slot's copy; null outside the loaded slots.
    plotSamples::ptr window(int slot) const;
    int scans() const { return m_time ? m_time->size() : 0; }

private:
    plotSamples::ptr m_time;
    std::vector<plotSamples::ptr> m_windows;
    QChar m_unit;
};

#endif
