// The plot samples of a loaded file, borrowed from the plot windows once per load and unit:
// in viewer mode the windows do not change after loading, so the panes read them in place
// (a copy would double the memory of a load), converting to the displayed unit as the
// reduced curve is read, and paging with the slider hands them other ranges of the same
// samples. Whoever frees or reallocates the windows lets go of these first (clear(), and
// every curve given them dropped): acquisitionWindows calls its release listeners for that.
#ifndef TS4720_LOADEDSAMPLES_H
#define TS4720_LOADEDSAMPLES_H

#include "plotSamples.h"
#include "temperatureUnit.h"

#include <vector>

class loadedSamples {
public:
    // Borrows every loaded scan of plotWindows() (plotDataPtr of them) in the unit, unless
    // samples in this unit of these windows exist. Takes the acquisition data lock. False
    // when no scans are loaded.
    bool update(const temperatureUnit &unit);
    // Forgets the samples (the windows are about to go, or the view is cleared).
    void clear();

    plotSamples::ptr time() const { return m_time; }
    // Window slot's copy; null outside the loaded slots.
    plotSamples::ptr window(int slot) const;
    int scans() const { return m_time ? m_time->size() : 0; }

private:
    plotSamples::ptr m_time;
    std::vector<plotSamples::ptr> m_windows;
    QChar m_unit;
    const double *m_source = nullptr; // the time window borrowed from
};

#endif
