// Plot samples borrowed from the loaded windows.
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
    if (m_time && m_unit == unit.code && m_source == w.timeWindow() && m_time->size() == scans)
        return true;
    std::vector<const double *> windows;
    for (int slot = 0; slot < w.channelCount(); ++slot)
        windows.push_back(w.window(slot));
    clear();   // the old summaries go before the new ones are made
    m_time = plotSamples::borrow(w.timeWindow(), scans);
    m_windows = plotSamples::borrowEach(windows, scans, unit.scale, unit.offset);
    m_unit = unit.code;
    m_source = w.timeWindow();
    return true;
}

void loadedSamples::clear()
{
    m_time.reset();
    m_windows.clear();
    m_source = nullptr;
}

plotSamples::ptr loadedSamples::window(int slot) const
{
    return slot >= 0 && slot < int(m_windows.size()) ? m_windows[size_t(slot)] : nullptr;
}
