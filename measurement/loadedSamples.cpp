// Plot copies of the loaded windows.
#include "loadedSamples.h"

#include "acquisitionWindows.h"

#include <algorithm>

bool loadedSamples::update(const temperatureUnit &unit)
{
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    const acquisitionWindows &w = plotWindows();
    const int scans = std::min(w.plotDataPtr, w.dataLength());
    if (!w.timeWindow() || scans <= 0) {
        clear();
        return false;
    }
    if (m_time && m_unit == unit.code)
        return true;
    std::vector<const double *> windows;
    for (int slot = 0; slot < w.channelCount(); ++slot)
        windows.push_back(w.window(slot));
    m_windows.clear();   // the old copies go back to the pool before the new ones are taken
    m_time = plotSamples::copy(w.timeWindow(), scans);
    m_windows = plotSamples::copyEach(windows, scans, unit.scale, unit.offset);
    m_unit = unit.code;
    return true;
}

void loadedSamples::clear()
{
    m_time.reset();
    m_windows.clear();
}

plotSamples::ptr loadedSamples::window(int slot) const
{
    return slot >= 0 && slot < int(m_windows.size()) ? m_windows[size_t(slot)] : nullptr;
}
